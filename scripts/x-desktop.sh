# Sourced by run.sh and by the desktop tests and benchmark: what Grabnik
# needs from a Wine prefix on a Linux desktop, and a private X desktop (Xvfb
# with a window manager) for the tests, started and stopped together.
#   prepare_grabnik_prefix            the prefix in WINEPREFIX (or ~/.wine)
#   start_x_desktop PREFIX GEOMETRY   e.g. build/win32/desktop-prefix 1920x1080x24
#   stop_x_desktop

prepare_grabnik_prefix() {
  local prefix=${WINEPREFIX:-$HOME/.wine}
  [ -f "$prefix/system.reg" ] || wineboot -i >/dev/null 2>&1 </dev/null
  # Unmanaged windows for grabnik.exe only: the window manager would keep
  # the keyboard away from the overlay. Wine then gives the overlay the X
  # focus itself.
  grep -q 'AppDefaults\\\\grabnik.exe\\\\X11 Driver' "$prefix/user.reg" 2>/dev/null ||
    wine reg add 'HKCU\Software\Wine\AppDefaults\grabnik.exe\X11 Driver' /v Managed /d N /f \
      >/dev/null 2>&1 </dev/null
}

start_x_desktop() {
  local prefix=$1 geometry=$2 fdfile
  fdfile=$(mktemp)
  # -displayfd lets the server pick a free display, so runs never collide.
  Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 </dev/null &
  X_DESKTOP_XVFB=$!
  for _ in $(seq 100); do [ -s "$fdfile" ] && break; sleep 0.1; done
  if [ ! -s "$fdfile" ]; then echo "Xvfb did not start" >&2; rm -f "$fdfile"; return 1; fi
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
  openbox >/dev/null 2>&1 </dev/null &
  X_DESKTOP_WM=$!

  mkdir -p "$prefix"
  export WINEPREFIX=$(cd "$prefix" && pwd)
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  unset WINEARCH
  # Wine's background services keep the streams of whoever starts them
  # first: started here with every stream detached, so that no test's pipes
  # stay open.
  wineserver -p >/dev/null 2>&1 </dev/null || true
  wineboot -i >/dev/null 2>&1 </dev/null
  prepare_grabnik_prefix
}

stop_x_desktop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  local pid
  for pid in ${X_DESKTOP_WM:-} ${X_DESKTOP_XVFB:-}; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  X_DESKTOP_WM= X_DESKTOP_XVFB=
}
