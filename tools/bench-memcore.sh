#!/usr/bin/env bash
# Builds and runs the memory manager's benchmarks in release builds of their own: natively against
# glibc, mimalloc and jemalloc, then memcore.dll under Wine against msvcrt and a bare free list,
# and memcore-checked.dll against memcore.dll.
# Not part of tools/test.sh; run it on a quiet machine, the figures are timings.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

echo "== native build (RelWithDebInfo, as the product)"
cmake -S . -B build/bench-memcore-native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
  -DBUILD_BENCHMARKS=ON >/dev/null
cmake --build build/bench-memcore-native --target memcore_benchmark

echo "== windows build (RelWithDebInfo, mingw-w64 i686, as the product)"
cmake -S . -B build/bench-memcore-windows -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
  -DBUILD_BENCHMARKS=ON -DCMAKE_TOOLCHAIN_FILE="$root/cmake/i686-w64-mingw32.cmake" >/dev/null
cmake --build build/bench-memcore-windows --target memcore_wine_benchmark

echo "== native: libmemcore.so against glibc, mimalloc and jemalloc"
build/bench-memcore-native/bench/memcore/memcore_benchmark "$@"

echo
echo "== under Wine: memcore.dll against msvcrt and a bare free list, then memcore-checked.dll"
source "$root/tools/wine-env.sh"
# The Wine prefix of the test build, created there if it is missing.
wine_env_start "$root/build/windows"
trap wine_env_stop EXIT
(cd build/bench-memcore-windows/bench/memcore && "$root/tools/wine-run" "$WINEPREFIX" memcore_wine_benchmark.exe)
