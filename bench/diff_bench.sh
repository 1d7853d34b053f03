#!/usr/bin/env bash
# bench/diff_bench.sh ZEMRA_CONVERT ZEMRA_GENERATE_BOARD
#
# --diff on two generated boards of 1,000,000 records (64 MB each): one against a copy with 10
# edits (4 steps removed, 3 inserted, 3 Hi pins changed), which must find exactly those 10 and
# take a few seconds; and one against a board generated from another seed, which differs almost
# everywhere, where the work and the memory must stay bounded. Each run's wall time and peak
# resident memory come from /usr/bin/time; the wall time is only a guide on a busy machine.
set -euo pipefail

convert=$(realpath "$1")
generate=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

records=1000000
most_seconds=10
most_kb=1000000

"$generate" 21 "$records" old.cmp
"$generate" 22 "$records" other.cmp

# The record at `index` of `file` replaced by a copy of record `from` with the byte at `offset`
# (within the record) set to `value`, or removed, or a copy of record `from` inserted before it.
record() { dd if="$1" bs=64 skip="$2" count=1 status=none; }
remove() { { head -c $(($2 * 64)) "$1"; tail -c +$(($2 * 64 + 65)) "$1"; } > "$1.next"; mv "$1.next" "$1"; }
insert() { { head -c $(($2 * 64)) "$1"; record "$1" "$3"; tail -c +$(($2 * 64 + 1)) "$1"; } > "$1.next"; mv "$1.next" "$1"; }
poke() { printf "\\x$4" | dd of="$1" bs=1 seek=$(($2 * 64 + $3)) conv=notrunc status=none; }

cp old.cmp new.cmp
for index in 900000 700000 500000 300000; do remove new.cmp "$index"; done
for index in 800000 600000 400000; do insert new.cmp "$index" 17; done
# Byte 26 holds the low byte of the Hi pin, which every step with a part name lists; a record
# whose name begins with no letter lists none, so the next one is taken.
byte() { od -An -tu1 -j "$2" -N1 "$1" | tr -d ' '; }
for index in 850000 550000 250000; do
  until first=$(byte new.cmp $((index * 64 + 52))); (( (first | 32) >= 97 && (first | 32) <= 122 )); do
    index=$((index + 1))
  done
  poke new.cmp "$index" 26 "$(printf '%02x' $(( ($(byte new.cmp $((index * 64 + 26))) + 1) % 256 )))"
done

run() {
  local label=$1
  shift
  set +e
  /usr/bin/time -f "%e %M" -o time.txt "$convert" --diff "$@" > out.txt 2> err.txt
  status=$?
  set -e
  read -r seconds kb < <(tail -n 1 time.txt)
  printf "%-34s exit %d  %6.2f s  %8d KB peak  %s\n" "$label" "$status" "$seconds" "$kb" \
    "$(tail -n 1 out.txt)"
}

run "1,000,000 records, 10 edits:" old.cmp new.cmp
if [[ $status -ne 1 ]] || [[ "$(grep -c '^\(added\|removed\|changed\):' out.txt)" -ne 10 ]]; then
  echo "diff_bench: the 10 edits were not found alone" >&2
  cat err.txt >&2
  exit 1
fi
if (( $(echo "$seconds > $most_seconds" | bc) || kb > most_kb )); then
  echo "diff_bench: more than $most_seconds s or $most_kb KB" >&2
  exit 1
fi
run "1,000,000 records, differing:" old.cmp other.cmp
if [[ $status -ne 1 ]] || (( kb > most_kb )); then
  echo "diff_bench: the boards that differ everywhere were not compared within $most_kb KB" >&2
  exit 1
fi
