#!/usr/bin/env bash
# What a creation run costs, for one or more builds side by side: wall time, CPU time, peak
# memory and the bytes the run wrote to the disk (the kernel's count of its block output, so a
# file written twice counts twice), beside the finished file's size. Two fields: BLADES default
# blades (1,000,000 unless given), and all eleven elements of 5,000 items each with transition
# 20 on colours 1-3 (726 materials). The output folder must be on a disk file system (not tmpfs, which counts no
# block output).
#   bench/glb_resources.sh "obj glb" CLI... [-- BLADES]
set -euo pipefail
formats=$1
shift
clis=()
blades=1000000
while [ $# -gt 0 ]; do
  if [ "$1" = -- ]; then blades=$2; break; fi
  clis+=("$1")
  shift
done
folder=$(mktemp -d "${TMPDIR:-/var/tmp}/qg-resources.XXXXXX")
trap 'rm -rf "$folder"' EXIT
printf 'Alpha 1 100 100 %d <empty> 0 -1\r\n' "$blades" >"$folder/blades.grass"
"${clis[0]}" settings | awk '
  /^Usage [0-9]+ 0 / { $3 = 1 }
  /^Material / { $8 = 20; $12 = 20; $16 = 20 }
  /^Alpha / { $5 = 5000 }
  { sub(/\r$/, ""); printf "%s\r\n", $0 }' >"$folder/materials.grass"
printf '%-10s %-7s %-40s %8s %8s %8s %10s %10s %6s\n' field format build wall_s cpu_s peak_MB written_MB file_MB ratio
for field in blades materials; do
  for format in $formats; do
    for cli in "${clis[@]}"; do
      rm -f "$folder"/out.*
      sync
      /usr/bin/time -f "%e %U %S %M %O" -o "$folder/time" "$cli" create --force --seed 1 --format "$format" \
        --settings "$folder/$field.grass" "$folder/out.$format" >/dev/null 2>&1 || true
      sync
      read -r wall user system kilobytes blocks <"$folder/time"
      size=$(stat -c %s "$folder/out.$format")
      awk -v f="$field" -v fmt="$format" -v b="$cli" -v w="$wall" -v u="$user" -v s="$system" -v k="$kilobytes" \
        -v o="$blocks" -v z="$size" 'BEGIN {
          printf "%-10s %-7s %-40s %8.2f %8.2f %8.1f %10.1f %10.1f %6.2f\n", f, fmt, b, w, u + s, k / 1024,
                 o * 512 / 1e6, z / 1e6, o * 512 / z }'
    done
  done
done
