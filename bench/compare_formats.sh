#!/usr/bin/env bash
# The two object formats side by side: creation runs of BLADES default blades (1,000,000 unless
# given) as OBJ and as binary glTF, alternating, with wall time and peak memory of each; then
# Assimp's load time of a 50,000-blade field in both formats.
#   bench/compare_formats.sh build/bin [ROUNDS] [BLADES]
set -euo pipefail
bin=$1 rounds=${2:-3} blades=${3:-1000000}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
printf 'Alpha 1 100 100 %d <empty> 0 -1\r\n' "$blades" >"$folder/blades.grass"
printf 'Alpha 1 30 30 50000 <empty> 0 -1\r\n' >"$folder/load.grass"
for format in obj glb; do : >"$folder/times.$format"; done
for ((round = 1; round <= rounds; round++)); do
  for format in obj glb; do
    rm -f "$folder"/out.*
    sync
    /usr/bin/time -f "%e %M" -o "$folder/time" "$bin/quenmoor-grass-cli" create --force --seed 1 --format "$format" \
      --settings "$folder/blades.grass" "$folder/out.$format" >/dev/null 2>&1
    read -r seconds kilobytes <"$folder/time"
    echo "$blades blades as $format, round $round: $seconds s, $((kilobytes / 1024)) MB peak, $(($(stat -c %s "$folder/out.$format") / 1000000)) MB file"
    echo "$seconds" >>"$folder/times.$format"
  done
done
median() { sort -n "$1" | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
o=$(median "$folder/times.obj") g=$(median "$folder/times.glb")
echo "median: obj $o s, glb $g s, glb/obj $(awk -v a="$g" -v b="$o" 'BEGIN {printf "%.2f", a / b}')"
rm -f "$folder"/out.*
for format in obj glb; do
  "$bin/quenmoor-grass-cli" create --force --seed 1 --format "$format" --settings "$folder/load.grass" \
    "$folder/load.$format" >/dev/null 2>&1
done
"$bin/quenmoor-assimp-load" "$folder/load.obj" "$folder/load.glb"
