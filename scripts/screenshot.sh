#!/bin/sh
# Takes a screenshot of a program's window under Xvfb and a Wine virtual desktop:
#   scripts/screenshot.sh BUILD_DIR PROGRAM.exe OUTPUT.png [ARGS...]
# PROGRAM (from BUILD_DIR/bin) prints "rect LEFT TOP WIDTH HEIGHT" and "ready" once
# its window is drawn, then ends by itself; the picture is cut to that rectangle.
set -e
build="$1"
program="$2"
output="$3"
shift 3
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"

# A free display number from Xvfb itself.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for i in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

cd "$build/bin"
"$here/wine-gui.sh" "$build/wineprefix-shots" --desktop 1024x768 "$program" "$@" \
  >"$work/out" 2>/dev/null &
running=$!
for i in $(seq 600); do grep -q ready "$work/out" 2>/dev/null && break; sleep 0.1; done
if ! grep -q ready "$work/out"; then
  echo "screenshot: $program did not come up" >&2
  exit 1
fi
set -- $(grep '^rect' "$work/out" | tr -d '\r')
import -window root "$work/screen.png"
convert "$work/screen.png" -crop "${4}x${5}+${2}+${3}" +repage "$output"
wait $running || true
WINEPREFIX="$build/wineprefix-shots" wineserver -k 2>/dev/null || true
echo "screenshot: $output (${4}x${5})"
