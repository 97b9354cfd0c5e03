#!/usr/bin/env bash
# The Windows zip unpacked into an empty folder of a fresh Wine prefix: everything is
# there, both programs start from that folder, and the shipped Zev.dll converts the
# bundled story with the bundled dictionary to the bytes of zev convert -e cp932.
#   zip_check.sh VERSION
set -euo pipefail
version=$1
ZEV_ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
. "$ZEV_ROOT/tests/release/fresh-wine.sh"
zip="$ZEV_ROOT/dist/zev-$version-win32.zip"
start_wine_check zip

mkdir "$WINEPREFIX/drive_c/zev"
(cd "$WINEPREFIX/drive_c/zev" && unzip -q "$zip")
folder="$WINEPREFIX/drive_c/zev/zev-$version"
for file in Mardelko.exe zevedit.exe Zev.dll Hobu.dll Mardelko.html zevedit.html \
            readme.txt LICENSE.txt story.txt kansai.zev; do
  [ -f "$folder/$file" ] || fail "the zip has no $file"
done
for built in "$ZEV_ROOT"/build/native/samples/*.zev; do
  cmp -s "$built" "$folder/$(basename "$built")" || fail "the zip lacks $(basename "$built")"
done
for guide in Mardelko.html zevedit.html; do
  for file in $(grep -oE '(src|href)="[^":#]+"' "$folder/$guide" | sed 's/.*="\(.*\)"/\1/'); do
    [ -f "$folder/$file" ] || fail "$guide refers to $file, which the zip lacks"
  done
done
# Notepad on a Japanese Windows: code page 932 and CR LF on every line.
for text in readme.txt story.txt; do
  iconv -f CP932 -t UTF-8 "$folder/$text" >/dev/null || fail "$text is not code page 932"
  [ "$(grep -c $'\r$' "$folder/$text")" = "$(wc -l < "$folder/$text")" ] ||
    fail "$text has lines without CR LF"
done

# No Zev.dll but the shipped one is reachable: alone, the program cannot start.
mkdir "$WINEPREFIX/drive_c/alone"
cp "$folder/Mardelko.exe" "$WINEPREFIX/drive_c/alone/"
[ -z "$(main_window_of 'C:\alone\Mardelko.exe')" ] || fail "Mardelko.exe found DLLs outside its folder"
caption=$(main_window_of "C:\\zev\\zev-$version\\Mardelko.exe")
[ "$caption" = MARDELKO ] || fail "Mardelko.exe showed no main window (got '$caption')"
caption=$(main_window_of "C:\\zev\\zev-$version\\zevedit.exe")
[ "$caption" = 方言辞書エディタ ] || fail "zevedit.exe showed no main window (got '$caption')"

# The converter's own window and commands, on the shipped DLLs beside it.
cp "$ZEV_ROOT/build/windows/bin/mardelko_showcase.exe" "$folder/"
(cd "$folder" && wine mardelko_showcase.exe kansai.zev story.txt 0 converted.txt </dev/null)
"$ZEV_ROOT/build/native/bin/zev" convert -e cp932 -d "$folder/kansai.zev" -l 3 -t 1,2,3,4 \
  -o "$work/expected.txt" "$folder/story.txt"
cmp "$work/expected.txt" "$folder/converted.txt" || fail "the shipped Zev.dll converts otherwise"
cmp -s "$folder/story.txt" "$folder/converted.txt" && fail "the story came out unconverted"
wineserver -w
echo "zip: unpacked, both programs started, story converted ($(wc -c < "$folder/converted.txt") bytes)"
