#!/usr/bin/env bash
# The Debian package unpacked without root: zev converts the bundled story, a C program
# compiles and links through zev.pc, man reads zev.1, and lintian finds no error.
#   deb_check.sh VERSION
set -euo pipefail
version=$1
ZEV_ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
fail() { echo "FAIL: $*" >&2; exit 1; }
deb="$ZEV_ROOT/dist/zev_${version}_amd64.deb"
work="$ZEV_ROOT/build/dist-test/deb"
rm -rf "$work"
mkdir -p "$work"
dpkg-deb -x "$deb" "$work/root"
root="$work/root"
library=$(find "$root/usr/lib" -name libzev.so.1)
[ -n "$library" ] || fail "no libzev.so.1"
libdir=$(dirname "$library")
[ "$(readlink "$libdir/libzev.so")" = libzev.so.1 ] || fail "no libzev.so link to the soname"
[ -f "$root/usr/include/zev.h" ] || fail "no zev.h"
for built in "$ZEV_ROOT"/build/native/samples/*.zev; do
  cmp -s "$built" "$root/usr/share/zev/$(basename "$built")" ||
    fail "/usr/share/zev lacks $(basename "$built")"
done

export LD_LIBRARY_PATH="$libdir"
# ZEV DICTIONARY STORY: the sample story at level 3 with types 1 to 4.
convert() { "$1" convert -d "$2" -l 3 -t 1,2,3,4 "$3"; }
share="$root/usr/share/zev"
convert "$root/usr/bin/zev" "$share/kansai.zev" "$share/story.txt" > "$work/converted.txt"
convert "$ZEV_ROOT/build/native/bin/zev" "$ZEV_ROOT/build/native/samples/kansai.zev" \
  "$ZEV_ROOT/samples/story.txt" > "$work/expected.txt"
cmp "$work/expected.txt" "$work/converted.txt" || fail "the packaged zev converts otherwise"
cmp -s "$share/story.txt" "$work/converted.txt" && fail "the story came out unconverted"

cat > "$work/use.c" <<'C'
#include <zev.h>
int main(int argc, char** argv) { return argc == 2 && zevOpenDic(argv[1]) ? 0 : 1; }
C
flags=$(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --cflags --libs zev) || fail "pkg-config"
# shellcheck disable=SC2086
cc "$work/use.c" -o "$work/use" $flags || fail "a program does not build with zev.pc"
"$work/use" "$root/usr/share/zev/kansai.zev" || fail "the program cannot open the dictionary"

MANWIDTH=80 man -l "$root/usr/share/man/man1/zev.1.gz" 2>/dev/null > "$work/zev.1.txt"
grep -q 'zev convert' "$work/zev.1.txt" || fail "man cannot read zev.1"

status=0
lintian --fail-on error "$deb" > "$work/lintian.txt" 2>&1 || status=$?
cat "$work/lintian.txt"
[ "$status" -eq 0 ] && ! grep -q '^E: ' "$work/lintian.txt" || fail "lintian reports errors"
echo "deb: converts, links through pkg-config, man page reads, lintian without errors"
