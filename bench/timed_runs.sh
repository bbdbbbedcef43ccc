# The timing both comparison scripts share; sourced, not run.
# timedCreate LABEL TIMES CLI FORMAT SETTINGS OUT: one creation run with the files removed and the
# page cache written back first, so that one run's writing back does not slow the next; prints
# LABEL with the wall time and peak memory and adds the time to the file TIMES.
timedCreate() {
  local label=$1 times=$2 cli=$3 format=$4 settings=$5 out=$6 seconds kilobytes
  # OBJ is the default, so that builds from before the format choice compare too.
  local formatOption=()
  [ "$format" = obj ] || formatOption=(--format "$format")
  rm -f "${out%.*}".*
  sync
  /usr/bin/time -f "%e %M" -o "$out.time" "$cli" create --force --seed 1 "${formatOption[@]}" \
    --settings "$settings" "$out" >/dev/null 2>&1
  read -r seconds kilobytes <"$out.time"
  echo "$label: $seconds s, $((kilobytes / 1024)) MB peak, $(($(stat -c %s "$out") / 1000000)) MB file"
  echo "$seconds" >>"$times"
}

# median FILE: the median of the numbers in FILE, one a line.
median() { sort -n "$1" | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# ratio A B: A / B to two places.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
