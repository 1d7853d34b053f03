#!/usr/bin/env bash
# bench/diff_bench.sh ZEMRA_CONVERT ZEMRA_GENERATE_BOARD
#
# --diff on two generated boards of 1,000,000 records (64 MB each), side by side with converting
# both boards: one against a copy with 46 edits (4 steps removed, 3 inserted, 3 Hi pins and 16
# upper limits changed, a run of 20 steps moved), which must find exactly those within 64 MB and
# should take at most 1.5 times the time of converting both boards; and one against a board
# generated from another seed, which differs almost everywhere, where the memory must stay
# bounded and the warning that the boards differ must come. Each run's wall time and peak
# resident memory come from /usr/bin/time, best of three; the wall time is only a guide on a busy
# machine. The outputs go to /dev/shm where it exists.
set -euo pipefail

convert=$(realpath "$1")
generate=$(realpath "$2")
scratch=/dev/shm
[[ -d $scratch && -w $scratch ]] || scratch=${TMPDIR:-/tmp}
work=$(mktemp -d "$scratch/zemra-diff-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

records=1000000
most_ratio=1.5
most_kb=65536
most_kb_differing=1000000
tries=3

"$generate" 21 "$records" old.cmp
"$generate" 22 "$records" other.cmp

# The record at `index` of `file` replaced by a copy of record `from` with the byte at `offset`
# (within the record) set to `value`, or removed, or a copy of record `from` inserted before it.
record() { dd if="$1" bs=64 skip="$2" count=1 status=none; }
remove() { { head -c $(($2 * 64)) "$1"; tail -c +$(($2 * 64 + 65)) "$1"; } > "$1.next"; mv "$1.next" "$1"; }
insert() { { head -c $(($2 * 64)) "$1"; record "$1" "$3"; tail -c +$(($2 * 64 + 1)) "$1"; } > "$1.next"; mv "$1.next" "$1"; }
poke() { printf "\\x$4" | dd of="$1" bs=1 seek=$(($2 * 64 + $3)) conv=notrunc status=none; }
byte() { od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '; }
# The first record from `index` on whose part name begins with a letter: every listing shows its
# Hi pin and its upper limit.
named() {
  local index=$2 first
  until first=$(byte "$1" $(($index * 64 + 52))); (( (first | 32) >= 97 && (first | 32) <= 122 )); do
    index=$((index + 1))
  done
  echo "$index"
}
# The records from `from` to `from + count - 1` taken out and put back before record `to` (of the
# file without them).
move() {
  { head -c $(($2 * 64)) "$1"; tail -c +$((($2 + $3) * 64 + 1)) "$1"; } > "$1.rest"
  dd if="$1" bs=64 skip="$2" count="$3" status=none > "$1.run"
  { head -c $(($4 * 64)) "$1.rest"; cat "$1.run"; tail -c +$(($4 * 64 + 1)) "$1.rest"; } > "$1"
  rm "$1.rest" "$1.run"
}

cp old.cmp new.cmp
# A run of 20 named records of no IC, whose names appear nowhere else, moved 750,000 records on.
move new.cmp 203612 20 950000
for index in 900000 700000 500000 300000; do remove new.cmp "$index"; done
for index in 800000 600000 400000; do insert new.cmp "$index" 17; done
# Byte 26 holds the low byte of the Hi pin, byte 12 the upper limit (0 to 98 stays within 99).
for index in 850000 550000 250000; do
  index=$(named new.cmp "$index")
  poke new.cmp "$index" 26 "$(printf '%02x' $(( ($(byte new.cmp $((index * 64 + 26))) + 1) % 256 )))"
done
for index in $(seq 20000 60000 920000); do
  index=$(named new.cmp "$index")
  poke new.cmp "$index" 12 "$(printf '%02x' $(( ($(byte new.cmp $((index * 64 + 12))) + 1) % 99 )))"
done

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

measure -o out old.cmp new.cmp
convert_seconds=$seconds
printf "%-40s exit %d  %6.2f s  %8d KB peak\n" "converting both boards:" "$status" "$seconds" "$peak"
measure --diff --report=json old.cmp new.cmp
printf "%-40s exit %d  %6.2f s  %8d KB peak  %s\n" "--diff, 46 edits:" "$status" "$seconds" \
  "$peak" "$(echo "$seconds / $convert_seconds" | bc -l | xargs printf '%.2fx')"
steps=$(grep -c '"change":"\(added\|removed\|changed\|moved\)"' out.txt || true)
moved=$(grep -c '"change":"moved"' out.txt || true)
if [[ $status -ne 1 ]] || [[ $steps -ne 46 ]] || [[ $moved -ne 20 ]]; then
  echo "diff_bench: the 46 edits were not found alone ($steps step changes, $moved moves)" >&2
  cat err.txt >&2
  exit 1
fi
if (( peak > most_kb )); then
  echo "diff_bench: more than $most_kb KB" >&2
  exit 1
fi
# The time is a target, not a gate: on a busy machine one run can lose seconds to the others.
if (( $(echo "$seconds > $convert_seconds * $most_ratio" | bc) )); then
  echo "diff_bench: over the target of $most_ratio times the conversion's time" >&2
fi
measure --diff old.cmp other.cmp
printf "%-40s exit %d  %6.2f s  %8d KB peak  %s\n" "--diff, boards that differ:" "$status" \
  "$seconds" "$peak" "$(tail -n 1 out.txt)"
if [[ $status -ne 1 ]] || (( peak > most_kb_differing )); then
  echo "diff_bench: the boards that differ everywhere were not compared within $most_kb_differing KB" >&2
  exit 1
fi
if ! grep -q "the two files look like different boards" err.txt; then
  echo "diff_bench: no warning that the boards differ" >&2
  exit 1
fi
