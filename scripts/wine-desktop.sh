# Sourced by the test and benchmark scripts: a private X display and Wine
# prefix, started and stopped together.
#   start_wine_desktop PREFIX_DIR GEOMETRY   e.g. build/win32/wineprefix 1024x768x24
#   stop_wine_desktop

start_wine_desktop() {
  local prefix=$1 geometry=$2 fdfile
  fdfile=$(mktemp)
  # -displayfd lets the server pick a free display, so runs never collide.
  Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 </dev/null &
  WINE_DESKTOP_XVFB=$!
  for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
  if [ ! -s "$fdfile" ]; then echo "Xvfb did not start" >&2; rm -f "$fdfile"; return 1; fi
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"

  mkdir -p "$prefix"
  export WINEPREFIX=$(cd "$prefix" && pwd)
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  unset WINEARCH
  # Wine's background services keep the stdio of whoever starts them first.
  # Start them here with every stream detached: started by a test under
  # ctest they would hold ctest's pipes open and hang the run.
  wineserver -p >/dev/null 2>&1 </dev/null || true  # may be running already
  wineboot -i >/dev/null 2>&1 </dev/null
  # Xvfb runs no window manager: Wine would wait two seconds for one at every
  # hide of a full-screen or captioned window. Unmanaged windows hide at once.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
}

stop_wine_desktop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -n "${WINE_DESKTOP_XVFB:-}" ]; then
    kill "$WINE_DESKTOP_XVFB" 2>/dev/null || true
    wait "$WINE_DESKTOP_XVFB" 2>/dev/null || true
    WINE_DESKTOP_XVFB=
  fi
}
