#!/usr/bin/env bash
# zev convert end to end on the large real text (UTF-8 in and out, and
# -e cp932), on one thread and on every core, against iconv and cat over the
# same bytes: medians of eleven runs of wall time, each with the load average.
# The same over ten copies of the text, where the start of the program (the
# same for any input) weighs less. Then one run over about 1 GB from a pipe,
# with the most memory it held.
set -euo pipefail
build=$1
prose=$2
zev=$build/bin/zev
dic=$build/samples/kansai.zev
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
iconv -c -f UTF-8 -t CP932 "$prose" > "$work/prose.cp932" || true
for _ in 1 2 3 4 5 6 7 8 9 10; do cat "$prose"; done > "$work/prose10.txt"
cores=$(nproc)

# Median wall seconds of eleven runs of "$@" (output to /dev/null), timed
# to the microsecond.
median() {
  for _ in $(seq 11); do
    local start end
    start=$(date +%s%N)
    "$@" > /dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
  done | sort -n | sed -n 6p | awk '{ print $1 / 1e6 }'
}
load() { cut -d' ' -f1,2 /proc/loadavg; }
row() {
  local name=$1 bytes=$2 seconds=$3
  printf '%-40s %8.1f MB/s  (%s s; load %s)\n' "$name" \
    "$(awk -v b="$bytes" -v s="$seconds" 'BEGIN { print b / s / 1e6 }')" "$seconds" "$(load)"
}
ratio() {
  printf '%-40s %8.2f times -j 1 on %s cores (load %s)\n' "$1" \
    "$(awk -v a="$2" -v b="$3" 'BEGIN { print a / b }')" "$cores" "$(load)"
}

bytes=$(stat -c %s "$prose")
cpbytes=$(stat -c %s "$work/prose.cp932")
run=("$zev" convert -d "$dic" -l 3 -t 1,2,3,4)
"${run[@]}" -j 1 "$prose" > "$work/one"
"${run[@]}" -j "$cores" "$prose" > "$work/all"
cmp -s "$work/one" "$work/all" && same=yes || same=NO
echo "zev convert, $bytes bytes of UTF-8 ($cpbytes in code page 932); -j $cores output same as -j 1: $same"
one=$(median "${run[@]}" -j 1 "$prose")
all=$(median "${run[@]}" -j "$cores" "$prose")
row "zev convert -j 1" "$bytes" "$one"
row "zev convert -j $cores" "$bytes" "$all"
ratio "zev convert -j $cores" "$one" "$all"
row "zev convert -e cp932 -j 1" "$cpbytes" "$(median "${run[@]}" -e cp932 -j 1 "$work/prose.cp932")"
row "zev convert -e cp932 -j $cores" "$cpbytes" \
  "$(median "${run[@]}" -e cp932 -j "$cores" "$work/prose.cp932")"
printf '%-40s %8s s      (load %s)\n' "zev convert of an empty input" \
  "$(median "${run[@]}" -j 1 /dev/null)" "$(load)"
row "peer: iconv UTF-8 to CP932" "$bytes" "$(median iconv -c -f UTF-8 -t CP932 "$prose")"
row "peer: cat" "$bytes" "$(median cat "$prose")"

tenfold=$((10 * bytes))
one=$(median "${run[@]}" -j 1 "$work/prose10.txt")
all=$(median "${run[@]}" -j "$cores" "$work/prose10.txt")
row "ten copies: zev convert -j 1" "$tenfold" "$one"
row "ten copies: zev convert -j $cores" "$tenfold" "$all"
ratio "ten copies: zev convert -j $cores" "$one" "$all"
# What the machine itself gives: as many -j 1 runs at once as cores, against
# one alone (the -j ratio cannot be above it).
together() {
  for ((i = 0; i < cores; i++)); do "${run[@]}" -j 1 "$work/prose10.txt" > /dev/null & done
  wait
}
ratio "ten copies: $cores runs of -j 1 at once" "$one" \
  "$(median together | awk -v c="$cores" '{ print $1 / c }')"

# About 1 GB through a pipe: memory stays that of a few chunks.
copies=$((1000000000 / bytes + 1))
/usr/bin/time -f '%e %M' -o "$work/t" bash -c \
  'for ((i = 0; i < $1; i++)); do cat "$2"; done | "${@:3}" > /dev/null' _ "$copies" "$prose" \
  "${run[@]}" -j "$cores"
read -r seconds kilobytes < "$work/t"
printf 'zev convert -j %s of %d MB from a pipe: %s s, at most %d MB of memory (load %s)\n' \
  "$cores" $((copies * bytes / 1000000)) "$seconds" $((kilobytes / 1024)) "$(load)"
[ "$same" = yes ]
