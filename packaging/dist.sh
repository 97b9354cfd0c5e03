#!/usr/bin/env bash
# Builds the release into dist/ (after make native windows web): the Windows zip
# and installer, the Debian package, the web page's zip and SHA256SUMS.
#   packaging/dist.sh
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
header=build/native/generated/zev_version.h
define() { sed -n "s/^#define $1 \"\{0,1\}\([^\"]*\)\"\{0,1\}$/\1/p" "$header"; }
version=$(define ZEV_VERSION)
[ -n "$version" ] || { echo "dist: no version in $header" >&2; exit 1; }
work=build/dist
stage="$work/stage/zev-$version"
rm -rf dist "$work"
mkdir -p dist "$stage"

# Windows text: code page 932 with CR LF, as Notepad and the converter read it.
windows_text() { iconv -f UTF-8 -t CP932 "$1" | sed 's/$/\r/' > "$2"; }

# 1. The folder the zip holds and the installer installs.
for binary in Mardelko.exe zevedit.exe Zev.dll Hobu.dll; do
  i686-w64-mingw32-strip -o "$stage/$binary" "build/windows/bin/$binary"
done
dictionaries=(build/native/samples/*.zev)
[ -e "${dictionaries[0]}" ] || { echo "dist: no sample dictionary built" >&2; exit 1; }
cp "${dictionaries[@]}" "$stage/"
for story in samples/story.txt samples/*.story.txt; do
  [ -e "$story" ] && windows_text "$story" "$stage/$(basename "$story")"
done
cp packaging/guide/Mardelko.html packaging/guide/zevedit.html packaging/guide/guide.css "$stage/"
cp -r packaging/guide/images "$stage/images"
sed "s/@VERSION@/$version/" packaging/readme.txt > "$work/readme.txt"
windows_text "$work/readme.txt" "$stage/readme.txt"
sed 's/$/\r/' LICENSE > "$stage/LICENSE.txt"
(cd "$work/stage" && zip -q -X -r "$root/dist/zev-$version-win32.zip" "zev-$version")

# 2. The installer, with the same files listed one by one so that the uninstaller
# removes exactly what was installed.
bash packaging/nsis-files.sh "$stage" "$work"
quad="$(define ZEV_VERSION_MAJOR).$(define ZEV_VERSION_MINOR).0.0"
makensis -V2 -INPUTCHARSET UTF8 "-DVERSION=$version" "-DVERSION_QUAD=$quad" \
  "-DSTAGE=$root/$stage" "-DLISTS=$root/$work" "-DOUTFILE=$root/dist/zev-$version-setup.exe" \
  packaging/installer.nsi

# 3. The Debian package, from a release build installed under /usr without a run path.
cmake -S . -B build/deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_RPATH=ON >/dev/null
cmake --build build/deb --target zev sample_dictionary zev_manpage zev_changelog
(cd build/deb && cpack -G DEB -B "$root/$work/deb" >/dev/null)
cp "$work/deb/zev_${version}_amd64.deb" dist/

# 4. The web page (make web), to put on any static server or open from a local one.
mkdir -p "$work/web"
cp -r build/web "$work/web/zev-$version-web"
(cd "$work/web" && zip -q -X -r "$root/dist/zev-$version-web.zip" "zev-$version-web")

# 5. The checksums, of every release file.
(cd dist && sha256sum "zev-$version-win32.zip" "zev-$version-setup.exe" \
  "zev_${version}_amd64.deb" "zev-$version-web.zip" > SHA256SUMS)
ls -l dist
