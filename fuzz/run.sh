#!/usr/bin/env bash
# Runs one fuzz target for a number of seconds: fuzz/run.sh <file|engine> <seconds>
# [libFuzzer options]. It starts from the committed corpus; new inputs go to
# build/fuzz/corpus/<target>, a finding to build/fuzz/findings/<target>, the
# log to build/fuzz/logs/<target>/run.log (with -jobs, libFuzzer's own
# fuzz-<n>.log beside it). Any finding fails the run.
set -euo pipefail
target=$1
seconds=$2
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
binary=$root/build/fuzz/bin/zev_fuzz_$target
work=$root/build/fuzz/corpus/$target
findings=$root/build/fuzz/findings/$target
logs=$root/build/fuzz/logs/$target
mkdir -p "$work" "$findings" "$logs"

# The file target writes three files per input: keep them in memory.
base=/dev/shm
[ -d "$base" ] && [ -w "$base" ] || base=${TMPDIR:-/tmp}
scratch=$(mktemp -d "$base/zevfuzz-$target.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch

log=$logs/run.log
echo "== fuzzing $target for $seconds s (log: ${log#$root/})"
cd "$logs"
status=0
"$binary" -max_total_time="$seconds" -timeout=60 -print_final_stats=1 \
  -artifact_prefix="$findings/" "$@" "$work" "$root/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
if [ "$status" -ne 0 ] || grep -q -E "ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|check failed|runtime error" "$log"; then
  grep -E -A30 "check failed|ERROR:|runtime error" "$log" | head -60
  echo "fuzz $target: FINDING (status $status), see ${log#$root/} and ${findings#$root/}" >&2
  exit 1
fi
grep -E "^stat::|[[:space:]]DONE[[:space:]]" "$log" | tail -n 6
