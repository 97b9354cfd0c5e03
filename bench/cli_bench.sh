#!/usr/bin/env bash
# zev convert end to end on the large real text (UTF-8 in and out, and
# -e cp932), on one thread and on every core, against iconv and cat over the
# same bytes: medians of five runs of wall time, each with the load average.
# Then one run over about 1 GB from a pipe, with the most memory it held.
set -euo pipefail
build=$1
prose=$2
zev=$build/bin/zev
dic=$build/samples/kansai.zev
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
iconv -c -f UTF-8 -t CP932 "$prose" > "$work/prose.cp932" || true
cores=$(nproc)

# Median wall seconds of five runs of "$@" (output to /dev/null).
median() {
  for _ in 1 2 3 4 5; do
    /usr/bin/time -f %e -o "$work/t" "$@" > /dev/null
    cat "$work/t"
  done | sort -n | sed -n 3p
}
row() {
  local name=$1 bytes=$2 seconds=$3
  printf '%-34s %8.1f MB/s  (%s s; load %s)\n' "$name" \
    "$(awk -v b="$bytes" -v s="$seconds" 'BEGIN { print b / s / 1e6 }')" "$seconds" "$(cut -d' ' -f1,2 /proc/loadavg)"
}

bytes=$(stat -c %s "$prose")
cpbytes=$(stat -c %s "$work/prose.cp932")
run=("$zev" convert -d "$dic" -l 3 -t 1,2,3,4)
"${run[@]}" -j 1 "$prose" > "$work/one"
"${run[@]}" -j "$cores" "$prose" > "$work/all"
cmp -s "$work/one" "$work/all" && same=yes || same=NO
echo "zev convert, $bytes bytes of UTF-8 ($cpbytes in code page 932); -j $cores output same as -j 1: $same"
row "zev convert -j 1" "$bytes" "$(median "${run[@]}" -j 1 "$prose")"
row "zev convert -j $cores" "$bytes" "$(median "${run[@]}" -j "$cores" "$prose")"
row "zev convert -e cp932 -j 1" "$cpbytes" "$(median "${run[@]}" -e cp932 -j 1 "$work/prose.cp932")"
row "zev convert -e cp932 -j $cores" "$cpbytes" \
  "$(median "${run[@]}" -e cp932 -j "$cores" "$work/prose.cp932")"
row "peer: iconv UTF-8 to CP932" "$bytes" "$(median iconv -c -f UTF-8 -t CP932 "$prose")"

# About 1 GB through a pipe: memory stays that of a few chunks.
copies=$((1000000000 / bytes + 1))
/usr/bin/time -f '%e %M' -o "$work/t" bash -c \
  'for ((i = 0; i < $1; i++)); do cat "$2"; done | "${@:3}" > /dev/null' _ "$copies" "$prose" \
  "${run[@]}" -j "$cores"
read -r seconds kilobytes < "$work/t"
printf 'zev convert -j %s of %d MB from a pipe: %s s, at most %d MB of memory (load %s)\n' \
  "$cores" $((copies * bytes / 1000000)) "$seconds" $((kilobytes / 1024)) \
  "$(cut -d' ' -f1,2 /proc/loadavg)"
[ "$same" = yes ]
