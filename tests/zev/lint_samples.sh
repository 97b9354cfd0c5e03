#!/usr/bin/env bash
# zev lint over every bundled dictionary: each samples/NAME.dic.txt must be
# built into BUILT/NAME.zev and lint without errors (warnings and notes are
# shown, and allowed).
# Usage: lint_samples.sh ZEV SAMPLES BUILT
set -u
zev=$1 sources=$2 built=$3
status=0
for text in "$sources"/*.dic.txt; do
  dictionary="$built/$(basename "$text" .dic.txt).zev"
  if [ ! -f "$dictionary" ]; then
    echo "FAIL: $text is not built into $dictionary"
    status=1
    continue
  fi
  if output=$("$zev" lint "$dictionary" 2>&1); then
    echo "$output" | tail -n 1
  else
    echo "FAIL: zev lint $dictionary finds entries that never apply or change nothing:"
    echo "$output"
    status=1
  fi
done
exit $status
