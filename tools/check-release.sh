#!/usr/bin/env bash
# Makes the release zip from a Windows build into a scratch folder and checks it: exactly the
# named files (paths within the zip), the readmes with CR LF line ends, and binaries that import
# system DLLs only.  usage: check-release.sh BUILD_DIR EXPECTED_FILE...
set -euo pipefail
build=$1
shift
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 || {
  cat "$scratch/cpack.log"
  exit 1
}
zip=$(find "$scratch/out" -maxdepth 1 -name '*.zip' -print -quit)
[ -n "$zip" ] || { echo "no zip made"; exit 1; }

# Files only: the zip also lists the folders that hold them.
listed=$(python3 -c 'import sys, zipfile; print("\n".join(sorted(n for n in zipfile.ZipFile(sys.argv[1]).namelist() if not n.endswith("/"))))' "$zip")
expected=$(printf '%s\n' "$@" | sed '/^$/d' | sort)  # an absent target gives an empty name
if [ "$listed" != "$expected" ]; then
  echo "$(basename "$zip") holds:"; echo "$listed"
  echo "expected:"; echo "$expected"
  exit 1
fi

mkdir "$scratch/unpacked"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$scratch/unpacked"
status=0
for readme in "$scratch"/unpacked/*.txt; do
  if grep -q $'[^\r]$' "$readme"; then echo "$(basename "$readme") has lines without CR LF"; status=1; fi
done
binaries=$(find "$scratch/unpacked" -name '*.exe' -o -name '*.dll')
# shellcheck disable=SC2086
"$here/check-imports.sh" $binaries || status=1
[ $status -eq 0 ] && echo "$(basename "$zip"): $(echo "$listed" | tr '\n' ' ')"
exit $status
