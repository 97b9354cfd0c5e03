#!/usr/bin/env bash
# Writes zev.1.gz from the tool's own help: the main help, then each subcommand's.
#   manpage.sh ZEV INCLUDE.h2m OUTPUT.1.gz
set -euo pipefail
zev=$1
include=$2
output=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp "$include" "$work/zev.h2m"
{
  echo "[SUBCOMMANDS]"
  for command in convert info dump build check; do
    echo ".SS \"zev $command\""
    echo ".nf"
    "$zev" "$command" --help | sed 's/\\/\\\\/g; s/^\./\\\&./'
    echo ".fi"
  done
} >> "$work/zev.h2m"
help2man --no-info --no-discard-stderr --section=1 \
  --name="convert Japanese text between dialects with a dialect dictionary" \
  --include="$work/zev.h2m" --output="$work/zev.1" "$zev"
gzip -n -9 -c "$work/zev.1" > "$output"
