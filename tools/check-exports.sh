#!/bin/sh
# The library exports exactly the five entry points: on Windows undecorated, with ordinals 1 to 5
# in alphabetical order; natively nothing else (its operator new and delete stay inside).
library=$1
expected="1 MemoryFree
2 MemoryInfo
3 MemoryMalloc
4 MemoryTrace
5 MemoryUsed"
case $library in
  *.dll)
    # objdump lists the "[Ordinal/Name Pointer] Table" rows as "[ordinal - base] name".
    actual=$(i686-w64-mingw32-objdump -p "$library" | awk '
      /^Ordinal Base/ { base = $3 }
      /\[Ordinal\/Name Pointer\] Table/ { table = 1; next }
      table && /^[[:space:]]*\[/ { gsub(/[][]/, " "); print $1 + base, $2; next }
      table { table = 0 }')
    ;;
  *)
    actual=$(nm -D --defined-only "$library" | awk '{ print $3 }' | sort |
      awk '{ print NR, $1 }')
    ;;
esac
if [ "$actual" != "$expected" ]; then
  echo "exports of $library:"
  echo "$actual"
  echo "expected:"
  echo "$expected"
  exit 1
fi
