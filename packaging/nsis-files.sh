#!/usr/bin/env bash
# Lists the release folder for the installer: install.nsh installs each file,
# uninstall.nsh removes each one and then the folders, deepest first.
#   nsis-files.sh STAGE OUTDIR
set -euo pipefail
stage=$1
out=$2
list() { (cd "$stage" && find . -mindepth 1 -type "$1" | sed 's|^\./||' | LC_ALL=C sort "${@:2}"); }
windows() { printf '%s' "$1" | tr / '\\'; }
{
  list d | while read -r dir; do echo "CreateDirectory \"\$INSTDIR\\$(windows "$dir")\""; done
  list f | while read -r file; do
    echo "File \"/oname=\$INSTDIR\\$(windows "$file")\" \"\${STAGE}/$file\""
  done
} > "$out/install.nsh"
{
  list f | while read -r file; do echo "Delete \"\$INSTDIR\\$(windows "$file")\""; done
  list d -r | while read -r dir; do echo "RMDir \"\$INSTDIR\\$(windows "$dir")\""; done
} > "$out/uninstall.nsh"
