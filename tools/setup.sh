#!/usr/bin/env bash
# Installs everything the build and the tests need, from Debian's packages only.
# Safe to run again: it does nothing when all is in place.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
deps="$root/build/deps"

packages=(
  cmake ninja-build g++ pkg-config python3
  g++-mingw-w64-i686 binutils-mingw-w64-i686 libz-mingw-w64-dev
  wine wine32:i386 fonts-wine xvfb xauth imagemagick
  googletest libgtest-dev libbenchmark-dev libminizip-dev zlib1g-dev
  clang-14 libfuzzer-14-dev libclang-rt-14-dev
  libmimalloc-dev libjemalloc-dev
  dpkg-dev
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

src_list=/etc/apt/sources.list.d/srvsetup-deb-src.sources
need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
  need_update=1
fi
if [ ! -f "$src_list" ]; then
  # minizip for mingw comes from the zlib source package, so apt needs the source index.
  as_root tee "$src_list" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi

zlib_dir="$deps/zlib"
if [ ${#missing[@]} -gt 0 ] || [ $need_update -eq 1 ] || [ ! -f "$zlib_dir/contrib/minizip/unzip.c" ]; then
  as_root apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [ ! -f "$zlib_dir/contrib/minizip/unzip.c" ]; then
  mkdir -p "$deps/download"
  (cd "$deps/download" && apt-get source --download-only -qq zlib >/dev/null)
  rm -rf "$zlib_dir.tmp" && mkdir -p "$zlib_dir.tmp"
  tar -xf "$(ls "$deps"/download/zlib_*.orig.tar.* | head -n 1)" -C "$zlib_dir.tmp" --strip-components=1
  rm -rf "$zlib_dir" && mv "$zlib_dir.tmp" "$zlib_dir"
fi
echo "setup: ready"
