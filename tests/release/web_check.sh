#!/usr/bin/env bash
# The web page's zip holds exactly the page that the browser tests ran on
# (build/web), with every bundled dictionary listed.
#   tests/release/web_check.sh VERSION
set -euo pipefail
version=$1
root="$(cd "$(dirname "$0")/../.." && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$root/dist/zev-$version-web.zip" -d "$work"
page="$work/zev-$version-web"
diff -r "$root/build/web" "$page"
for dictionary in "$root"/build/native/samples/*.zev; do
  name=$(basename "$dictionary")
  grep -q "\"file\": \"$name\"" "$page/dictionaries/index.json" ||
    { echo "web zip: $name is not listed" >&2; exit 1; }
done
echo "web zip: the page as tested, $(ls "$page/dictionaries" | grep -c '\.zev$') dictionaries"
