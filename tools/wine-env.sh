# Sourced by the scripts that run Windows programs: one private Wine prefix per build folder,
# a persistent wineserver for the whole run, and Xvfb when no display is set.

wine_env_start() {
  local build=$1
  export WINEPREFIX="$build/wineprefix" WINEARCH=win32 WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  WINE_ENV_XVFB_PID=""
  if [ -z "${DISPLAY:-}" ]; then
    local n=99
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    WINE_ENV_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  # Creates the prefix if needed; the server that this starts is replaced by a persistent one.
  local run
  run="$(dirname "${BASH_SOURCE[0]}")/wine-run"
  "$run" "$WINEPREFIX" cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
  wineserver -k 2>/dev/null || true
  wineserver -p </dev/null >/dev/null 2>&1
  # The first program starts Wine's background services, which live as long as the server:
  # they must not hold a test runner's output pipe open.
  "$run" "$WINEPREFIX" cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
}

wine_env_stop() {
  wineserver -k 2>/dev/null || true
  if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true; fi
}
