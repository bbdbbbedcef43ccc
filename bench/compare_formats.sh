#!/usr/bin/env bash
# The two object formats side by side: creation runs of BLADES default blades (1,000,000 unless
# given) as OBJ and as binary glTF, alternating, with wall time and peak memory of each; then
# Assimp's load time of a 50,000-blade field in both formats.
#   bench/compare_formats.sh build/bin [ROUNDS] [BLADES]
set -euo pipefail
source "$(dirname "$0")/timed_runs.sh"
bin=$1 rounds=${2:-3} blades=${3:-1000000}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
printf 'Alpha 1 100 100 %d <empty> 0 -1\r\n' "$blades" >"$folder/blades.grass"
printf 'Alpha 1 30 30 50000 <empty> 0 -1\r\n' >"$folder/load.grass"
for format in obj glb; do : >"$folder/times.$format"; done
for ((round = 1; round <= rounds; round++)); do
  for format in obj glb; do
    timedCreate "$blades blades as $format, round $round" "$folder/times.$format" "$bin/quenmoor-grass-cli" \
      "$format" "$folder/blades.grass" "$folder/out.$format"
  done
done
o=$(median "$folder/times.obj") g=$(median "$folder/times.glb")
echo "median: obj $o s, glb $g s, glb/obj $(ratio "$g" "$o")"
rm -f "$folder"/out.*
for format in obj glb; do
  "$bin/quenmoor-grass-cli" create --force --seed 1 --format "$format" --settings "$folder/load.grass" \
    "$folder/load.$format" >/dev/null 2>&1
done
"$bin/quenmoor-assimp-load" --rounds 7 "$folder/load.obj" "$folder/load.glb"
