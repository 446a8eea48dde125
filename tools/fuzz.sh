#!/usr/bin/env bash
# Runs the libFuzzer targets: tools/fuzz.sh [SECONDS_EACH] [TARGET...]
# With no targets, every one in turn. New inputs go to build/fuzz/corpus/<target>; the committed
# seeds in fuzz/corpus/<target> are only read. A finding stops with the crashing input saved in
# build/fuzz/work/<target>.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
seconds=${1:-60}
shift || true

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for seeds in fuzz/corpus/*/; do targets+=("$(basename "$seeds")"); done
fi

for target in "${targets[@]}"; do
  work="$root/build/fuzz/work/$target"
  corpus="$root/build/fuzz/corpus/$target"
  mkdir -p "$work" "$corpus"
  # Sequences beyond a couple of thousand steps find nothing new and only slow every run.
  max_len=20000
  [ "$target" = memory_sequence_fuzzer ] && max_len=2048
  echo "== fuzzing $target for ${seconds}s"
  (cd "$work" && "$root/build/fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -max_len="$max_len" "$corpus" "$root/fuzz/corpus/$target" 2>"$work/log.txt") || {
    tail -n 40 "$work/log.txt"
    echo "fuzz: $target found a fault; the input is in $work"
    exit 1
  }
  grep -a -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$work/log.txt" | tr '\n' ' '
  echo
done
