#!/usr/bin/env bash
# The real-program benchmark: the programs of bench/programs under Wine, each on msvcrt's heap, on
# the current memcore.dll and on an earlier commit's memcore.dll, interleaved over several rounds.
# Prints the median times and the ratios of the medians, all from this one run. Stops when a build
# prints anything but what the msvcrt build prints, or the suite's expected output.
# Not part of tools/test.sh; builds in build/bench-programs with a Wine prefix of its own.
#
#   tools/bench-programs.sh [--rounds N] [--previous REF | --no-previous]
#     --rounds N      timed rounds of every program and build (default 11)
#     --previous REF  the commit whose memcore.dll runs as "old" (default HEAD~1)
#     --no-previous   msvcrt against the current memcore.dll only
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
source "$root/tools/bench-previous.sh"

usage="usage: $0 [--rounds N] [--previous REF | --no-previous]"
rounds=11
previous=HEAD~1
while [ $# -gt 0 ]; do
  case $1 in
    --rounds) rounds=${2:-}; shift 2 || true ;;
    --previous) previous=${2:-}; shift 2 || true ;;
    --no-previous) previous=""; shift ;;
    *) echo "$usage" >&2; exit 2 ;;
  esac
done
if ! [[ $rounds =~ ^[1-9][0-9]{0,2}$ ]]; then echo "$usage (N from 1 to 999)" >&2; exit 2; fi

build=$root/build/bench-programs
# Each program with its arguments; it runs in its own folder, where its inputs are.
programs=(cfrac espresso)
declare -A arguments=(
  [cfrac]="41757646344123832613190542166099121"
  [espresso]="-t INPUT/largest.espresso"
)

echo "== build (RelWithDebInfo, mingw-w64 i686, as the product)"
cmake --preset bench-windows >/dev/null
cmake --build --preset bench-windows --target bench_programs >/dev/null
bin=$root/build/bench-windows/bench/programs

# The memcore builds import memcore.dll and take no malloc, calloc, realloc, free or strdup from
# msvcrt.dll: every call of the program reaches the DLL. All builds import system DLLs otherwise.
imported_dlls() { i686-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]'; }
heap_imports() {
  i686-w64-mingw32-objdump -p "$1" | awk '
    /DLL Name:/ { dll = tolower($3) }
    dll == "msvcrt.dll" && NF == 3 && $3 ~ /^(malloc|calloc|realloc|free|_?strdup)$/ { print $3 }'
}
for exe in "$bin"/*.exe; do
  for dll in $(imported_dlls "$exe"); do
    case $dll in
      kernel32.dll | msvcrt.dll | user32.dll | advapi32.dll) ;;
      memcore.dll) [[ $exe == *_memcore.exe ]] || { echo "$exe imports memcore.dll" >&2; exit 1; } ;;
      *) echo "$exe imports $dll, which is neither a system DLL nor memcore.dll" >&2; exit 1 ;;
    esac
  done
  if [[ $exe == *_memcore.exe ]]; then
    imported_dlls "$exe" | grep -qx memcore.dll || { echo "$exe does not import memcore.dll" >&2; exit 1; }
    routed_past=$(heap_imports "$exe" | paste -sd ' ' -)
    [ -z "$routed_past" ] || { echo "$exe still takes $routed_past from msvcrt.dll" >&2; exit 1; }
  fi
done

variants=(msvcrt new)
declare -A folder=([msvcrt]=$bin [new]=$bin)
if [ -n "$previous" ]; then
  echo "== memcore.dll of $previous"
  bench_previous_memcore "$root" "$previous" "$build/previous"
  # The same programs beside the earlier DLL: the loader takes the one in the program's folder.
  folder[old]=$build/previous-run
  rm -rf "${folder[old]}"
  mkdir -p "${folder[old]}"
  cp "$bin"/*_memcore.exe "$BENCH_PREVIOUS_DLL" "${folder[old]}/"
  variants+=(old)
  bench_describe_previous "$root"
fi
executable() {
  case $1.$2 in
    empty_program.*) echo "$bin/empty_program.exe" ;;
    *.msvcrt) echo "${folder[msvcrt]}/$1_msvcrt.exe" ;;
    *) echo "${folder[$2]}/$1_memcore.exe" ;;
  esac
}

source "$root/tools/wine-env.sh"
wine_env_start "$build"
trap wine_env_stop EXIT
trap 'exit 130' INT TERM

results=$build/results
rm -rf "$results"
mkdir -p "$results"

# run PROGRAM VARIANT NAME: one run, its standard output followed by the line "exit STATUS" (as the
# suite writes its expected outputs) in $results/NAME.text; appends the milliseconds it took to
# $results/PROGRAM.VARIANT.cpu (user and system time of the whole process tree) and .wall.
run() {
  local program=$1 variant=$2 output=$results/$3 status arguments_of times
  read -ra arguments_of <<<"${arguments[$program]:-}"
  local directory=$root/bench/programs/$program
  [ -d "$directory" ] || directory=$bin
  local TIMEFORMAT='%3R %3U %3S'
  set +e
  { time (cd "$directory" &&
    timeout --kill-after=5 "${limit[$program]:-300}" \
      "$root/tools/wine-run" "$WINEPREFIX" "$(executable "$program" "$variant")" \
      "${arguments_of[@]}" </dev/null >"$output" 2>"$output.stderr"); } 2>"$output.time"
  status=$?
  set -e
  if [ "$status" = 124 ] || [ "$status" = 137 ]; then
    echo "$3 stopped after ${limit[$program]:-300} s (status $status): a broken heap can loop" >&2
    exit 1
  fi
  read -ra times <"$output.time" || { echo "no timing for $3: $(cat "$output.time")" >&2; exit 1; }
  awk -v r="${times[0]}" 'BEGIN { printf "%d\n", r * 1000 }' >>"$results/$program.$variant.wall"
  awk -v u="${times[1]}" -v s="${times[2]}" 'BEGIN { printf "%d\n", (u + s) * 1000 }' \
    >>"$results/$program.$variant.cpu"
  # Text-mode output: the suite's files end their lines in LF.
  tr -d '\r' <"$output" >"$output.text"
  echo "exit $status" >>"$output.text"
}

# Every build of a program prints what its msvcrt build prints, and that is the suite's expected
# output where it gives one.
check() {
  local program=$1 name=$2 reference=$results/$1.msvcrt.text
  local expected=$root/bench/programs/$program/$program.reference_output
  if [ "$name" = "$program.msvcrt" ] && [ -f "$expected" ] && ! cmp -s "$expected" "$reference"; then
    echo "$program on msvcrt does not print the suite's expected output:" >&2
    diff "$expected" "$reference" | head -n 20 >&2
    exit 1
  fi
  if ! cmp -s "$reference" "$results/$name.text"; then
    echo "$name prints other output than $program on msvcrt:" >&2
    diff "$reference" "$results/$name.text" | head -n 20 >&2
    exit 1
  fi
}

# A run may take ten times what the msvcrt build took (which runs first), at least 30 s.
declare -A limit=()
echo "== output check, one untimed run of each build"
for program in "${programs[@]}"; do
  for variant in "${variants[@]}"; do
    run "$program" "$variant" "$program.$variant"
    check "$program" "$program.$variant"
    [ "$variant" = msvcrt ] && limit[$program]=$(awk '{ t = int($1 * 10 / 1000) + 1 } END { print t < 30 ? 30 : t }' \
      "$results/$program.msvcrt.wall")
    rm "$results/$program.$variant".{cpu,wall}
  done
  if [ -f "$root/bench/programs/$program/$program.reference_output" ]; then
    echo "$program: every build prints the suite's expected output"
  else
    echo "$program: every build prints the same output"
  fi
done

load_before=$(uptime)
echo "== $rounds timed rounds, builds interleaved"
for round in $(seq "$rounds"); do
  run empty_program msvcrt round.empty
  for program in "${programs[@]}"; do
    # Each round starts with another build, so none always runs first.
    count=${#variants[@]}
    for k in $(seq 0 $((count - 1))); do
      variant=${variants[$(((k + round) % count))]}
      run "$program" "$variant" "round.$program.$variant"
      check "$program" "round.$program.$variant"
    done
  done
  echo "round $round of $rounds done"
done
load_after=$(uptime)

echo
echo "Load at start:${load_before#*load average:}; at end:${load_after#*load average:} (1, 5, 15 min)"
echo "Seconds per run: the median of $rounds rounds, less the median of an empty program started"
echo "the same way (the cost of starting under Wine). Ratios are of those medians; above 1 the"
echo "right-hand build is faster. CPU time (user and system) is the figure to read on a shared"
echo "machine; wall time also counts the waits for a core."
# table KIND: one line per program from the medians in $results/*.KIND.
table() {
  local kind=$1 startup program variant
  startup=$(bench_median <"$results/empty_program.msvcrt.$kind")
  echo
  local header
  header=$(printf '%-10s %9s %9s' "$kind" msvcrt new)
  [ -n "$previous" ] && header+=$(printf ' %9s' old)
  header+=$(printf ' %11s' msvcrt/new)
  [ -n "$previous" ] && header+=$(printf ' %11s %9s' msvcrt/old old/new)
  echo "$header    (start-up $(awk -v s="$startup" 'BEGIN { printf "%.3f", s / 1000 }') s)"
  for program in "${programs[@]}"; do
    local -A median=()
    for variant in "${variants[@]}"; do
      median[$variant]=$(bench_median <"$results/$program.$variant.$kind")
    done
    awk -v name="$program" -v s="$startup" -v m="${median[msvcrt]}" -v n="${median[new]}" \
      -v o="${median[old]:-}" 'BEGIN {
        m = (m - s) / 1000; n = (n - s) / 1000
        line = sprintf("%-10s %9.3f %9.3f", name, m, n)
        if (o != "") { o = (o - s) / 1000; line = line sprintf(" %9.3f", o) }
        line = line sprintf(" %11.2f", m / n)
        if (o != "") line = line sprintf(" %11.2f %9.2f", m / o, o / n)
        print line
      }'
    unset median
  done
}
table cpu
table wall
