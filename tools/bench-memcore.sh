#!/usr/bin/env bash
# Builds and runs the memory manager's benchmarks in release builds of their own: natively against
# glibc, mimalloc and jemalloc, then memcore.dll under Wine against msvcrt and a bare free list
# (and memcore-checked.dll against memcore.dll), with an earlier commit's memcore.dll run in turn
# with the current one, so the Wine figures compare both from one run. Not part of tools/test.sh;
# run it on a quiet machine, the figures are timings.
#
#   tools/bench-memcore.sh [--rounds N] [--previous REF | --no-previous] [NATIVE BENCHMARK ARGS...]
#     --rounds N      Wine runs of each memcore.dll, alternating (default 5)
#     --previous REF  the commit whose memcore.dll runs as "old" (default HEAD~1)
#     --no-previous   one Wine run of the current memcore.dll, as a table with the floor and targets
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source "$root/tools/bench-previous.sh"

usage="usage: $0 [--rounds N] [--previous REF | --no-previous] [NATIVE BENCHMARK ARGS...]"
rounds=5
previous=HEAD~1
native_arguments=()
while [ $# -gt 0 ]; do
  case $1 in
    --rounds) rounds=${2:-}; shift 2 || true ;;
    --previous) previous=${2:-}; shift 2 || true ;;
    --no-previous) previous=""; shift ;;
    *) native_arguments+=("$1"); shift ;;
  esac
done
if ! [[ $rounds =~ ^[1-9][0-9]?$ ]]; then echo "$usage (N from 1 to 99)" >&2; exit 2; fi

echo "== native build (RelWithDebInfo, as the product)"
cmake --preset bench-native >/dev/null
cmake --build --preset bench-native --target memcore_benchmark

echo "== windows build (RelWithDebInfo, mingw-w64 i686, as the product)"
cmake --preset bench-windows >/dev/null
cmake --build --preset bench-windows --target memcore_wine_benchmark
wine_bench=$root/build/bench-windows/bench/memcore
if [ -n "$previous" ]; then
  echo "== memcore.dll of $previous"
  bench_previous_memcore "$root" "$previous" "$root/build/bench-memcore-previous"
  mkdir -p "$wine_bench/previous"
  cp "$BENCH_PREVIOUS_DLL" "$wine_bench/previous/memcore.dll"
fi

echo "== native: libmemcore.so against glibc, mimalloc and jemalloc"
build/bench-native/bench/memcore/memcore_benchmark ${native_arguments[@]+"${native_arguments[@]}"}

echo
echo "== under Wine: memcore.dll against msvcrt and a bare free list, then memcore-checked.dll"
source "$root/tools/wine-env.sh"
# The Wine prefix of the test build, created there if it is missing.
wine_env_start "$root/build/windows"
trap wine_env_stop EXIT
trap 'exit 130' INT TERM
if [ -z "$previous" ]; then
  (cd "$wine_bench" && "$root/tools/wine-run" "$WINEPREFIX" memcore_wine_benchmark.exe)
  exit 0
fi

bench_describe_previous "$root"
results=$root/build/bench-windows/results
rm -rf "$results"
mkdir -p "$results"
load_before=$(uptime)
for round in $(seq "$rounds"); do
  # Each round starts with the other DLL, so neither always runs first.
  order=(new old)
  [ $((round % 2)) = 0 ] && order=(old new)
  for dll in "${order[@]}"; do
    path=memcore.dll
    [ "$dll" = old ] && path='previous\memcore.dll'
    (cd "$wine_bench" && "$root/tools/wine-run" "$WINEPREFIX" memcore_wine_benchmark.exe "$path") \
      >"$results/$dll.$round"
    echo "round $round of $rounds: $dll done"
  done
done
load_after=$(uptime)

echo
echo "Load at start:${load_before#*load average:}; at end:${load_after#*load average:} (1, 5, 15 min)"
echo "Nanoseconds per operation (one allocation and its release): for each DLL the median of its"
echo "$rounds runs, each run keeping the fastest of its rounds; msvcrt and the bare free list (floor)"
echo "the median of all $((2 * rounds)) runs. In the ratios above 1 the right-hand one is faster;"
echo "new/floor is how many times the free list's time the current DLL takes."
echo
# Rows are a 12-character label and the columns the header names, up to the first blank line (the
# benchmark writes CR LF); only the first table (memcore.dll's) and its memcore, msvcrt and floor
# columns are read. The checked build's table after it names other columns.
awk '
  function median(list,    n, values, i, j, t) {
    n = split(list, values, " ")
    for (i = 2; i <= n; i++)
      for (j = i; j > 1 && values[j - 1] + 0 > values[j] + 0; j--) {
        t = values[j]; values[j] = values[j - 1]; values[j - 1] = t
      }
    return values[int((n + 1) / 2)]
  }
  { sub(/\r$/, "") }
  FNR == 1 { dll = FILENAME; sub(/.*\//, "", dll); sub(/\..*/, "", dll); table = 0; read = 0 }
  /^pattern / && !read {
    n = split(substr($0, 13), names, " ")
    for (i = 1; i <= n; i++) column[names[i]] = i
    table = 1
    next
  }
  table && NF == 0 { table = 0; read = 1 }
  table {
    label = substr($0, 1, 12); sub(/ +$/, "", label)
    split(substr($0, 13), values, " ")
    if (!(label in seen)) { seen[label] = 1; order[++rows] = label }
    memcore[label, dll] = memcore[label, dll] " " values[column["memcore"]]
    msvcrt[label] = msvcrt[label] " " values[column["msvcrt"]]
    floor[label] = floor[label] " " values[column["floor"]]
  }
  END {
    printf "%-12s %9s %9s %9s %9s %11s %11s %9s %9s\n", "pattern", "new", "old", "msvcrt", "floor",
      "msvcrt/new", "msvcrt/old", "old/new", "new/floor"
    for (r = 1; r <= rows; r++) {
      label = order[r]
      n = median(memcore[label, "new"]); o = median(memcore[label, "old"]); m = median(msvcrt[label])
      f = median(floor[label])
      # The floor applies to pooled sizes only; the benchmark prints "-" for the others.
      printf "%-12s %9.2f %9.2f %9.2f %9s %11.2f %11.2f %9.2f %9s\n", label, n, o, m,
        f == "-" ? "-" : sprintf("%.2f", f), m / n, m / o, o / n, f == "-" ? "-" : sprintf("%.2f", n / f)
    }
  }' "$results"/new.* "$results"/old.*
