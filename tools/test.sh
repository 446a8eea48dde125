#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds both configurations, runs the native
# tests, then the Windows tests under Wine (private prefix in the build folder, one persistent
# wineserver, Xvfb when there is no display).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/tools/setup.sh"

echo "== native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize

echo "== fuzz targets, a short smoke each"
"$root/tools/fuzz.sh" 5

echo "== windows build (mingw-w64 i686)"
cmake --preset windows >/dev/null
cmake --build --preset windows

source "$root/tools/wine-env.sh"
wine_env_start "$root/build/windows"
trap wine_env_stop EXIT

echo "== windows tests under Wine"
ctest --preset windows
