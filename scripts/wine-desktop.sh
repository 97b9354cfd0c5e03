#!/usr/bin/env bash
# Runs a Windows program of this build under Wine for people to look at: a
# prefix of its own (build/windows/wineprefix-desktop) with the X11 driver, a
# 1024x768 virtual desktop and the Japanese dialog fonts, code page 932.
# Usage: wine-desktop.sh PROGRAM.exe [ARGS...]   (needs DISPLAY)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="$root/build/windows/wineprefix-desktop"
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

if [ ! -f "$WINEPREFIX/.zev-ready" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  reg() { wine reg add "$@" /f >/dev/null 2>&1; }
  reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
  reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
  reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
  # The dialogs ask for the usual Japanese fonts; IPA fonts stand in for them.
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d IPAGothic
  reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d IPAPGothic
  wineserver -w
  touch "$WINEPREFIX/.zev-ready"
fi
exec wine "$@"
