#!/usr/bin/env bash
# Runs one fuzz target for a number of seconds: fuzz/run.sh <file|engine> <seconds>
# [libFuzzer options]. It starts from the committed corpus; new inputs go to
# build/fuzz/corpus/<target>, a finding to build/fuzz/findings/<target>, the
# log to build/fuzz/logs/<target>/run.log (with -jobs, libFuzzer's own
# fuzz-<n>.log beside it). Any finding fails the run.
#
# With FUZZ_SEED and FUZZ_RUNS set (the test stage), it makes exactly that many
# runs from that seed and the committed corpus alone, keeping no new inputs, so
# that the same command finds the same thing again.
set -euo pipefail
target=$1
shift
if [ -n "${FUZZ_RUNS:-}" ]; then
  seconds=
else
  seconds=$1
  shift
fi
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
if [ -n "$seconds" ]; then
  limits=(-max_total_time="$seconds")
  echo "== fuzzing $target for $seconds s (log: ${log#$root/})"
else
  limits=(-seed="${FUZZ_SEED:-1}" -runs="$FUZZ_RUNS")
  work=$scratch/corpus
  mkdir -p "$work"
  echo "== fuzzing $target: $FUZZ_RUNS runs from seed ${FUZZ_SEED:-1} (log: ${log#$root/};" \
    "again with FUZZ_SEED=${FUZZ_SEED:-1} FUZZ_RUNS=$FUZZ_RUNS fuzz/run.sh $target)"
fi
cd "$logs"
status=0
"$binary" "${limits[@]}" -timeout=60 -print_final_stats=1 \
  -artifact_prefix="$findings/" "$@" "$work" "$root/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
if [ "$status" -ne 0 ] || grep -q -E "ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|check failed|runtime error" "$log"; then
  grep -E -A30 "check failed|ERROR:|runtime error" "$log" | head -60
  echo "fuzz $target: FINDING (status $status), see ${log#$root/} and ${findings#$root/}" >&2
  exit 1
fi
grep -E "^stat::|[[:space:]]DONE[[:space:]]" "$log" | tail -n 6
