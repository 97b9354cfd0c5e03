#!/bin/sh
# The zev tool and the converter program give the same bytes for the same
# dictionary, level, types and text: the sample story through both.
# Usage: scripts/compare-converters.sh   (after make native windows)
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$root/build/compare"
mkdir -p "$work"
cp "$root/build/native/samples/kansai.zev" "$work/kansai.zev"
iconv -f UTF-8 -t CP932 "$root/samples/story.txt" | sed 's/$/\r/' > "$work/story.txt"
rm -f "$work/zev.txt" "$work/mardelko.txt"

"$root/build/native/bin/zev" convert -e cp932 -d "$work/kansai.zev" -l 3 -t 1,2,3,4 \
  -o "$work/zev.txt" "$work/story.txt"
windows() { echo "Z:$1" | tr / '\\'; }
(cd "$root/build/windows/bin" && ../wine-run mardelko_showcase.exe \
  "$(windows "$work/kansai.zev")" "$(windows "$work/story.txt")" 0 \
  "$(windows "$work/mardelko.txt")")
if cmp "$work/zev.txt" "$work/mardelko.txt"; then
  echo "zev convert and Mardelko agree on the sample story ($(wc -c < "$work/zev.txt") bytes)"
  echo "1 passed, 0 failed"
else
  echo "zev convert and Mardelko differ: see $work/zev.txt and $work/mardelko.txt" >&2
  echo "0 passed, 1 failed"
  exit 1
fi
