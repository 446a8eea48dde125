# Sourced by the benchmark scripts: memcore.dll built from an earlier commit, so that the scripts
# run it beside the current one in the same rounds and every figure is a ratio from one run.

# bench_previous_memcore ROOT REF DIR: exports REF's tree into DIR/source (once per commit), builds
# its memcore.dll in DIR/build as the product is built, and sets BENCH_PREVIOUS_DLL to it and
# BENCH_PREVIOUS_COMMIT to the commit. Fails when REF names no commit or its tree does not build.
bench_previous_memcore() {
  local root=$1 ref=$2 dir=$3 commit
  if ! commit=$(git -C "$root" rev-parse --verify --quiet "$ref^{commit}"); then
    echo "no commit named $ref" >&2
    return 1
  fi
  mkdir -p "$dir"
  if [ "$(cat "$dir/commit" 2>/dev/null)" != "$commit" ]; then
    rm -rf "$dir/source" "$dir/build" "$dir/commit"
    mkdir -p "$dir/source"
    git -C "$root" archive "$commit" | tar -x -C "$dir/source"
    echo "$commit" >"$dir/commit"
  fi
  # The exported tree has no build/deps: the minizip sources come from this checkout.
  cmake -S "$dir/source" -B "$dir/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$dir/source/cmake/i686-w64-mingw32.cmake" \
    -DZLIB_SOURCE_DIR="$root/build/deps/zlib" >/dev/null
  cmake --build "$dir/build" --target memcore >/dev/null
  BENCH_PREVIOUS_DLL=$(find "$dir/build" -name memcore.dll -not -path '*/bench/*' | head -n 1)
  BENCH_PREVIOUS_COMMIT=$commit
  if [ -z "$BENCH_PREVIOUS_DLL" ]; then
    echo "the tree of $ref built no memcore.dll" >&2
    return 1
  fi
}

# bench_describe_previous ROOT: one line naming what is compared, with a warning when memcore/ is
# the same in both, since their ratio then only shows the noise of the run.
bench_describe_previous() {
  local root=$1 head
  head=$(git -C "$root" rev-parse --short HEAD)
  local current="HEAD $head"
  if ! git -C "$root" diff --quiet HEAD -- memcore; then current="$current with uncommitted changes"; fi
  echo "new: the working tree ($current); old: $(git -C "$root" log -1 --format='%h %s' "$BENCH_PREVIOUS_COMMIT")"
  if git -C "$root" diff --quiet "$BENCH_PREVIOUS_COMMIT" -- memcore; then
    echo "note: memcore/ is the same in both, so old/new shows only the noise of the run"
  fi
}

# bench_median: the median of the numbers on standard input, one a line (the lower middle one for
# an even count, so it is always a measured value).
bench_median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR) print v[int((NR + 1) / 2)] }'
}
