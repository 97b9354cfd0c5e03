#!/usr/bin/env bash
# Installs every Debian package the build and the tests need.
# Idempotent and quiet: when everything is present it returns in well under a second.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  googletest libbenchmark-dev libcli11-dev
  clang libclang-rt-14-dev
  llvm
  mingw-w64 g++-mingw-w64-i686-posix
  wine wine32:i386
  xvfb xauth x11-apps imagemagick
  locales fonts-ipafont-gothic fonts-wine
  # make dist: the installer, the Debian package and its checks, the man page
  nsis lintian help2man zip unzip man-db dpkg-dev fakeroot
  manpages-ja  # the large real Japanese text of make bench (bench/make_prose.sh)
  emscripten nodejs chromium  # the web page: its engine, build scripts and browser tests
)
# The benchmark's peer converter; Hyperscan is packaged for x86-64 only.
if [ "$(dpkg --print-architecture)" = amd64 ]; then PACKAGES+=(libhyperscan-dev); fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}" >&2
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq >/dev/null
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# npm installs the browser tests' runner; some builds of nodejs bring it along.
if ! command -v npm >/dev/null; then
  echo "setup: installing npm" >&2
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends npm >/dev/null
fi

# The Windows programs run with the Japanese ANSI code page, which Wine takes
# from a ja_JP locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8" >&2
  if [ -f /etc/locale.gen ]; then
    $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  fi
  $SUDO locale-gen >/dev/null
fi
