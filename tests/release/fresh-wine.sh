# Sourced by the release checks: a new Wine prefix of its own, as on a user's machine
# that has never seen the build (no build-tree folder on its path), with the Japanese
# code page, no X server and no menu entries written into the home folder.
#   fresh_wine_prefix DIR
fresh_wine_prefix() {
  export WINEPREFIX="$1"
  export WINEARCH=win32
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export LANG=ja_JP.UTF-8
  export LC_ALL=ja_JP.UTF-8
  unset DISPLAY
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wineserver -w
}

# The caption of PROGRAM's main window (a Windows path), after start_program has
# started it from its folder, found the window and closed it again.
main_window_of() {
  { wine 'C:\driver\start_program.exe' "$1" </dev/null 2>&1 || true; } | tr -d '\r' |
    iconv -f CP932 -t UTF-8 | sed -n 's/^window: //p'
}

install_driver() {
  mkdir -p "$WINEPREFIX/drive_c/driver"
  cp "$ZEV_ROOT/build/windows/bin/start_program.exe" "$WINEPREFIX/drive_c/driver/"
}

# The check's own folder build/dist-test/NAME with a fresh prefix and the driver in it.
start_wine_check() {
  work="$ZEV_ROOT/build/dist-test/$1"
  rm -rf "$work"
  mkdir -p "$work"
  fresh_wine_prefix "$work/prefix"
  install_driver
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
