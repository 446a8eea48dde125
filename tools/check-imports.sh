#!/bin/sh
# Fails when a Windows binary imports anything but the system's own DLLs.
status=0
for binary in "$@"; do
  for dll in $(i686-w64-mingw32-objdump -p "$binary" | sed -n 's/^[[:space:]]*DLL Name: //p'); do
    case $(printf '%s' "$dll" | tr '[:upper:]' '[:lower:]') in
      kernel32.dll | user32.dll | gdi32.dll | msvcrt.dll | advapi32.dll | comctl32.dll | comdlg32.dll | \
      shell32.dll | ole32.dll | oleaut32.dll | version.dll | ntdll.dll | ws2_32.dll | imagehlp.dll | dbghelp.dll) ;;
      *) echo "$binary imports $dll, which is not a system DLL"; status=1 ;;
    esac
  done
done
exit $status
