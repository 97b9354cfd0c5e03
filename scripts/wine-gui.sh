#!/bin/sh
# Runs a Windows program under Wine on an X display, for people and screenshots:
#   scripts/wine-gui.sh PREFIX [--desktop WxH] PROGRAM [ARGS...]
# PREFIX is a private Wine prefix (made on first use) with the Japanese code page,
# Wine's X11 driver and replacements for the dialogs' Japanese fonts. With --desktop
# the prefix draws into one Wine virtual desktop of that size (frames and captions
# without a window manager).
set -e
prefix="$1"
shift
desktop=""
if [ "$1" = "--desktop" ]; then
  desktop="$2"
  shift 2
fi
if [ -z "$DISPLAY" ]; then
  echo "wine-gui: no X display (DISPLAY is not set)" >&2
  exit 2
fi
export WINEPREFIX="$prefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8

if [ ! -f "$WINEPREFIX/.zev-gui-ready" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  # Wine's caption buttons are glyphs of its Marlett font.
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # Without these every dialog falls back to the monospaced IPAGothic.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d IPAGothic /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.zev-gui-ready"
fi
if [ -n "$desktop" ]; then
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f >/dev/null 2>&1
else
  wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
fi
# The desktop setting is read when Wine's session starts: let the one that wrote it end.
wineserver -w
exec wine "$@"
