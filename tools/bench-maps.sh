#!/usr/bin/env bash
# The map catalogue's benchmarks: natively with Google Benchmark, then the Windows build under
# Wine. Not part of the test suite. Builds in its own folders (build/bench-native,
# build/bench-windows, RelWithDebInfo as the product) with a Wine prefix of its own, so it never disturbs a test run.
# Arguments go to the native benchmark (e.g. --benchmark_filter=Indexed); set BENCH_QUICK=1 to
# leave out the slow linear search in the Windows list box.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

echo "== native (Google Benchmark)"
cmake --preset bench-native >/dev/null
cmake --build --preset bench-native --target bench_maps >/dev/null
build/bench-native/bench/maps/bench_maps "$@"

echo
echo "== windows under Wine"
cmake --preset bench-windows >/dev/null
cmake --build --preset bench-windows --target bench_maps >/dev/null
source "$root/tools/wine-env.sh"
wine_env_start "$root/build/bench-windows"
trap wine_env_stop EXIT
quick=()
if [ "${BENCH_QUICK:-0}" = 1 ]; then quick=(--quick); fi
"$root/tools/wine-run" "$WINEPREFIX" "$root/build/bench-windows/bench/maps/bench_maps.exe" "${quick[@]}"
