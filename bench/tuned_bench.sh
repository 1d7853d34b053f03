#!/usr/bin/env bash
# bench/tuned_bench.sh ZEMRA_CONVERT ZEMRA_GENERATE_BOARD
#
# --tuned on two generated boards of 1,000,000 records (64 MB each), side by side with what it
# should cost no more than: converting both boards and --diff of them. The old board is
# converted into a folder whose listing gets AVGE 10 on every 10,000th step, as a tester's
# tuning; the new board is a copy with 16 upper limits changed. The carry must exit 0, carry
# tuned columns and keep within 64 MB; its time should be at most that of converting both
# boards plus --diff. Each run's wall time and peak resident memory come from /usr/bin/time,
# best of three; the wall time is only a guide on a busy machine. The outputs go to /dev/shm
# where it exists.
set -euo pipefail

convert=$(realpath "$1")
generate=$(realpath "$2")
scratch=/dev/shm
[[ -d $scratch && -w $scratch ]] || scratch=${TMPDIR:-/tmp}
work=$(mktemp -d "$scratch/zemra-tuned-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

records=1000000
most_kb=65536
tries=3

"$generate" 21 "$records" old.cmp

poke() { printf "\\x$4" | dd of="$1" bs=1 seek=$(($2 * 64 + $3)) conv=notrunc status=none; }
byte() { od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '; }
# The first record from `index` on whose part name begins with a letter: every listing shows its
# upper limit.
named() {
  local index=$2 first
  until first=$(byte "$1" $(($index * 64 + 52))); (( (first | 32) >= 97 && (first | 32) <= 122 )); do
    index=$((index + 1))
  done
  echo "$index"
}

cp old.cmp new.cmp
# Byte 12 holds the upper limit (0 to 98 stays within 99).
for index in $(seq 20000 60000 920000); do
  index=$(named new.cmp "$index")
  poke new.cmp "$index" 12 "$(printf '%02x' $(( ($(byte new.cmp $((index * 64 + 12))) + 1) % 99 )))"
done

# The tester's folder: the old board's conversion with AVGE (columns 49 to 54 of a step's second
# line, after the five lines of the header) raised to 10 on every 10,000th step.
mkdir tester
"$convert" -o tester old.cmp > /dev/null 2>&1
folder=tester/old
awk 'NR > 5 && (NR - 5) % 2 == 0 && ((NR - 5) / 2) % 10000 == 0 && substr($0, 49, 6) == "     0" {
       $0 = substr($0, 1, 48) "    10" substr($0, 55); ++tuned
     }
     { print }
     END { print tuned + 0 > "tuned.txt" }' "$folder/old.dat" > tuned.dat
mv tuned.dat "$folder/old.dat"
echo "tuned steps in the folder's listing: $(cat tuned.txt)"

# The best wall time and the peak memory of `tries` runs of zemra-convert with these arguments.
measure() {
  local best= kb=0 s k
  for ((try = 0; try < tries; ++try)); do
    rm -rf out && mkdir out
    set +e
    /usr/bin/time -f "%e %M" -o time.txt "$convert" "$@" > out.txt 2> err.txt
    status=$?
    set -e
    read -r s k < <(tail -n 1 time.txt)
    if [[ -z $best ]] || (( $(echo "$s < $best" | bc) )); then best=$s; fi
    (( k > kb )) && kb=$k
  done
  seconds=$best
  peak=$kb
}

measure -o out old.cmp
old_seconds=$seconds
printf "%-40s exit %d  %6.2f s  %8d KB peak\n" "converting the old board:" "$status" "$seconds" "$peak"
measure -o out new.cmp
new_seconds=$seconds
printf "%-40s exit %d  %6.2f s  %8d KB peak\n" "converting the new board:" "$status" "$seconds" "$peak"
measure --diff old.cmp new.cmp
diff_seconds=$seconds
printf "%-40s exit %d  %6.2f s  %8d KB peak\n" "--diff of the two:" "$status" "$seconds" "$peak"
budget=$(echo "$old_seconds + $new_seconds + $diff_seconds" | bc)
printf "%-40s         %6.2f s\n" "both conversions plus --diff:" "$budget"
measure --tuned "$folder" --base old.cmp -o out new.cmp
printf "%-40s exit %d  %6.2f s  %8d KB peak  %s\n" "--tuned:" "$status" "$seconds" "$peak" \
  "$(echo "$seconds / $budget" | bc -l | xargs printf '%.2fx')"
summary=$(grep "tuned columns of" err.txt || true)
echo "  $summary"
carried=$(echo "$summary" | sed -n 's/.*: \([0-9]*\) tuned columns of.*/\1/p')
if [[ $status -ne 0 ]] || [[ -z $carried ]] || (( carried == 0 )); then
  echo "tuned_bench: the tuning was not carried" >&2
  cat err.txt >&2
  exit 1
fi
if (( peak > most_kb )); then
  echo "tuned_bench: more than $most_kb KB" >&2
  exit 1
fi
# The time is a target, not a gate: on a busy machine one run can lose seconds to the others.
if (( $(echo "$seconds > $budget" | bc) )); then
  echo "tuned_bench: over the target of converting both boards plus --diff" >&2
fi
