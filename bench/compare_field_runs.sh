#!/usr/bin/env bash
# Times whole creation runs of two builds of the command-line tool side by side, alternating
# them so that both see the same machine load; the files are removed and the page cache
# flushed between runs, so that one run's writing back does not slow the next.
#   bench/compare_field_runs.sh BEFORE_CLI AFTER_CLI [ROUNDS]
# Prints the wall time and peak memory of every run, then the median of each and their ratio.
set -euo pipefail
source "$(dirname "$0")/timed_runs.sh"
before=$1 after=$2 rounds=${3:-5}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
printf 'Alpha 1 100 100 1000000 <empty> 0 -1\r\n' >"$folder/blades.grass"
printf 'Usage 1 0 g\r\nUsage 8 1 r\r\nAlpha 8 100 100 100000 <empty> 0 -1\r\n' >"$folder/rocks.grass"
for field in blades rocks; do
  for build in before after; do : >"$folder/$field.$build"; done
  for ((round = 1; round <= rounds; round++)); do
    for build in before after; do
      cli=$before
      [ "$build" = after ] && cli=$after
      timedCreate "$field $build round $round" "$folder/$field.$build" "$cli" obj "$folder/$field.grass" "$folder/out.obj"
    done
  done
  b=$(median "$folder/$field.before") a=$(median "$folder/$field.after")
  echo "$field: median $b s before, $a s after, ratio $(ratio "$a" "$b")"
done
