#!/usr/bin/env bash
# The installer under Wine in a fresh prefix: a silent install puts every file of the
# zip, both Start-menu shortcuts and the uninstall entry in place; the installed
# converter starts; a silent uninstall takes all of it away again.
#   installer_check.sh VERSION
set -euo pipefail
version=$1
ZEV_ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
. "$ZEV_ROOT/tests/release/fresh-wine.sh"
setup="$ZEV_ROOT/dist/zev-$version-setup.exe"
start_wine_check installer

target="$WINEPREFIX/drive_c/Program Files/Zev"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Zev 方言変換"
shortcuts=("$menu/MARDELKO 方言変換.lnk" "$menu/方言辞書エディタ.lnk")
uninstall_key='[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zev]'
registered() { wineserver -w; grep -qF "$uninstall_key" "$WINEPREFIX/system.reg"; }

wine "$setup" /S </dev/null
wineserver -w
(cd "$target" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) > "$work/installed"
{ unzip -Z1 "$ZEV_ROOT/dist/zev-$version-win32.zip" | grep -v '/$' | sed "s|^zev-$version/||"
  echo uninstall.exe; } | LC_ALL=C sort > "$work/expected"
diff "$work/expected" "$work/installed" || fail "the installed files differ from the zip's"
for shortcut in "${shortcuts[@]}"; do [ -f "$shortcut" ] || fail "no shortcut $shortcut"; done
registered || fail "the uninstaller is not registered"
grep -A12 -F "$uninstall_key" "$WINEPREFIX/system.reg" | grep -q '"UninstallString"=' ||
  fail "the uninstall entry has no UninstallString"
caption=$(main_window_of 'C:\Program Files\Zev\Mardelko.exe')
[ "$caption" = MARDELKO ] || fail "the installed converter showed no main window (got '$caption')"

# The uninstaller copies itself away and returns at once; the server's end waits for it.
wine 'C:\Program Files\Zev\uninstall.exe' /S </dev/null
wineserver -w
[ ! -e "$target" ] || fail "files are left: $(cd "$target" && find . | tr '\n' ' ')"
[ ! -e "$menu" ] || fail "the Start-menu folder is left"
registered && fail "the uninstall entry is left"
echo "installer: $(wc -l < "$work/installed") files, 2 shortcuts and the uninstall entry made and removed"
