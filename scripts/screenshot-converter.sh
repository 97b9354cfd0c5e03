#!/usr/bin/env bash
# Screenshot of the converter under Xvfb: the sample dictionary opened, the
# sample story loaded and converted, as a person would do it with the keyboard.
# Usage: screenshot-converter.sh OUTPUT.png   (after make native windows)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$root/docs/screenshots/mardelko.png}")"
work="$root/build/screenshots"
mkdir -p "$work" "$(dirname "$out")"
cp "$root/build/native/samples/kansai.zev" "$work/kansai.zev"
iconv -f UTF-8 -t CP932 "$root/samples/story.txt" | sed 's/$/\r/' > "$work/story.txt"

display=:91
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; WINEPREFIX="$root/build/windows/wineprefix-desktop" wineserver -k 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1

"$root/scripts/wine-desktop.sh" "$root/build/windows/bin/Mardelko.exe" &
sleep 6
winpath() { echo "Z:${1//\//\\}"; }
choose() {  # the file dialog of the last command: type a full path, confirm
  sleep 2
  xdotool key ctrl+a
  xdotool type --delay 20 "$(winpath "$1")"
  xdotool key Return
  sleep 2
}
xdotool key ctrl+d && choose "$work/kansai.zev"
xdotool key ctrl+o && choose "$work/story.txt"
xdotool key ctrl+t
sleep 2
import -window root "$out"
echo "screenshot: $out"
