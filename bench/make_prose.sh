#!/usr/bin/env bash
# Writes the large real Japanese text of the benchmarks to $1: the Japanese
# manual pages of Debian's manpages-ja, rendered to plain UTF-8 text, with
# indentation and runs of blanks squeezed and blank lines dropped. Kept once
# written; rendering takes about half a minute on two cores.
set -euo pipefail
out=$1
[ -s "$out" ] && exit 0
pages=/usr/share/man/ja
if [ ! -d "$pages" ]; then
  echo "make_prose: $pages is missing (Debian package manpages-ja)" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
find "$pages" -type f -name '*.gz' | sort > "$work/list"
# Each page into its own file, two at a time, then joined in name order.
nl -ba -w6 -nrz "$work/list" | xargs -P2 -L1 sh -c \
  'zcat "$2" | groff -Tutf8 -P-cbou -t -man -Kutf8 2>/dev/null > "$0/$1.txt" || true' "$work" 2>/dev/null \
  || true
cat "$work"/*.txt | sed -e 's/^[ \t]*//' -e 's/[ \t][ \t]*/ /g' -e '/^$/d' > "$out.tmp"
mv "$out.tmp" "$out"
