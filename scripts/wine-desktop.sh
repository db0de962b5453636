# Sourced by the test and benchmark scripts: a private X display and Wine
# prefix, started and stopped together.
#   start_wine_desktop PREFIX_DIR GEOMETRY   e.g. build/win32/wineprefix 1024x768x24
#   start_two_monitor_desktop PREFIX_DIR     1024x768 primary, 800x600 to its right
#   stop_wine_desktop
# Their parts, for a desktop of another kind (x-desktop.sh):
#   start_xvfb GEOMETRY, start_wine_prefix PREFIX_DIR, unmanage_windows

# Starts an X server that takes -displayfd, and prints its display number.
# -displayfd lets the server pick a free display, so runs never collide.
start_x_server() {
  local fdfile pid
  fdfile=$(mktemp)
  "$@" -displayfd 3 -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 </dev/null &
  pid=$!
  for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
  if [ ! -s "$fdfile" ]; then echo "$1 did not start" >&2; rm -f "$fdfile"; return 1; fi
  X_SERVER_PID=$pid
  X_SERVER_DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

# One screen of this size, e.g. 1024x768x24, as DISPLAY.
start_xvfb() {
  start_x_server Xvfb -screen 0 "$1" || return 1
  WINE_DESKTOP_XVFB=$X_SERVER_PID
  export DISPLAY=$X_SERVER_DISPLAY
}

start_wine_desktop() {
  local prefix=$1 geometry=$2
  start_xvfb "$geometry" || return 1
  start_wine_prefix "$prefix"
  unmanage_windows
}

# Two monitors of different sizes: a nested X server inside an Xvfb, its two
# heads joined by Xinerama. RandR stays off, or Wine would see one screen.
# Wine sees the primary at (0,0)-(1024,768) and the second at
# (1024,0)-(1824,600); nothing shows x >= 1024, y >= 600.
start_two_monitor_desktop() {
  local prefix=$1
  start_xvfb 1900x800x24 || return 1
  start_x_server Xephyr +xinerama -extension RANDR \
    -screen 1024x768+0+0 -screen 800x600+1024+0 || { stop_wine_desktop; return 1; }
  WINE_DESKTOP_XEPHYR=$X_SERVER_PID
  export DISPLAY=$X_SERVER_DISPLAY
  start_wine_prefix "$prefix"
  unmanage_windows
}

# The private prefix, booted, with Wine's background services running.
start_wine_prefix() {
  local prefix=$1
  mkdir -p "$prefix"
  export WINEPREFIX=$(cd "$prefix" && pwd)
  export WINEDLLOVERRIDES="mscoree,mshtml="
  unset WINEARCH
  # Wine's background services keep the stdio of whoever starts them first.
  # Start them here with every stream detached: started by a test under
  # ctest they would hold ctest's pipes open and hang the run.
  wineserver -p >/dev/null 2>&1 </dev/null || true  # may be running already
  wineboot -i >/dev/null 2>&1 </dev/null
}

# These displays run no window manager: Wine would wait two seconds for one
# at every hide of a full-screen or captioned window. Unmanaged windows hide
# at once.
unmanage_windows() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
}

stop_wine_desktop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  # The nested server first: it is a client of the outer one.
  local pid
  for pid in "${WINE_DESKTOP_XEPHYR:-}" "${WINE_DESKTOP_XVFB:-}"; do
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  WINE_DESKTOP_XEPHYR=
  WINE_DESKTOP_XVFB=
}
