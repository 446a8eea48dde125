#!/usr/bin/env bash
# The launcher's main job on a demo game installation: installs what is missing, builds the
# Windows binaries and the release zip, lays out build/demo (main and mainex with .pk3 archives
# and loose .bsp files, the release unpacked as an operator would: srvsetup.exe, memcore.dll when
# built, the readmes; and the stand-in dedicated server) and runs srvsetup.exe there under Wine.
#
# With a display and a terminal, the operator uses the real window. Otherwise (no DISPLAY, or a
# non-interactive standard input as in CI) a scripted session drives it under a private Xvfb:
# game type, map, rotation, a few options, "Run Server", with screenshots on the way.
# Either way it prints where settings.cfg, mainex/server.cfg and the stand-in's log are.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/tools/setup.sh"

echo "== windows build (mingw-w64 i686): what the demo runs"
cmake --preset windows >/dev/null
cmake --build --preset windows --target srvsetup memcore memcore_checked stand_in_server demo_session
# The release zip from what was just built (cpack installs, it does not build everything).
cpack --config build/windows/CPackConfig.cmake -B build/windows >/dev/null

build="$root/build/windows"
demo="$root/build/demo"
echo "== demo game installation in $demo"
rm -rf "$demo"
python3 "$root/demo/make-demo-game.py" "$demo"
release=$(ls "$build"/dedicated-server-tools-*-win32.zip)
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$release" "$demo"
cp "$build/demo/zeb_brightfen_server.exe" "$demo/"

interactive=0
if [ -n "${DISPLAY:-}" ] && [ -t 0 ]; then interactive=1; fi
# The scripted session always gets an Xvfb of its own, never the operator's screen.
if [ $interactive -eq 0 ]; then unset DISPLAY; fi

# A Wine prefix of the demo's own, so that a test run in build/windows is left alone.
source "$root/tools/wine-env.sh"
wine_env_start "$root/build/demo-wine"
trap wine_env_stop EXIT
run="$root/tools/wine-run"

cd "$demo"
if [ $interactive -eq 1 ]; then
  echo "== srvsetup.exe is running on $DISPLAY: choose a map, then \"Lancer serveur\""
  "$run" "$WINEPREFIX" srvsetup.exe </dev/null || true
else
  echo "== scripted session under Xvfb ($DISPLAY)"
  "$run" "$WINEPREFIX" "$build/demo/demo_session.exe" srvsetup.exe "screenshots" </dev/null
fi

# The server was started asynchronously; give its log a moment to appear.
for _ in $(seq 50); do [ -f "$demo/stand-in-server.log" ] && break; sleep 0.1; done

echo "== results"
show() {
  if [ -e "$2" ]; then printf '  %-22s %s\n' "$1" "$2"; else printf '  %-22s (none)\n' "$1"; fi
}
show "settings.cfg" "$demo/settings.cfg"
show "server script" "$demo/mainex/server.cfg"
show "stand-in server log" "$demo/stand-in-server.log"
if [ -d "$demo/screenshots" ]; then
  for shot in "$demo"/screenshots/*.png; do show "screenshot" "$shot"; done
fi
if [ -f "$demo/stand-in-server.log" ]; then
  echo "== what the stand-in server received"
  head -n 8 "$demo/stand-in-server.log" | tr -d '\r' | iconv -f CP1252 -t UTF-8
elif [ $interactive -eq 0 ]; then
  echo "demo: the stand-in server left no log" >&2
  exit 1
fi
