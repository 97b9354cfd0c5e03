#!/usr/bin/env bash
# cmake --install of the native build gives a zev that runs from its place,
# libzev.so, zev.h and a zev.pc with which a program compiles and links.
set -euo pipefail
build=$1
prefix=$2
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
libdir=$(dirname "$(find "$prefix" -name 'libzev.so' | head -1)")
test -x "$prefix/bin/zev"
test -f "$prefix/include/zev.h"
test -f "$libdir/pkgconfig/zev.pc"
"$prefix/bin/zev" --help | grep -q 'Subcommands:'

export PKG_CONFIG_PATH="$libdir/pkgconfig"
cat > "$prefix/use.c" <<'C'
#include <zev.h>
int main(void) { return zevIsOpen(); }
C
# shellcheck disable=SC2046
cc "$prefix/use.c" -o "$prefix/use" $(pkg-config --cflags --libs zev)
LD_LIBRARY_PATH="$libdir" "$prefix/use"
echo "installed and usable under $prefix"
