# Sourced by run.sh and by the desktop tests and benchmark: what Grabnik
# needs from a Wine prefix on a Linux desktop, and a private X desktop (the
# Wine display of wine-desktop.sh with a window manager) for the tests,
# started and stopped together.
#   prepare_grabnik_prefix            the prefix in WINEPREFIX (or ~/.wine)
#   start_x_desktop PREFIX GEOMETRY   e.g. build/win32/desktop-prefix 1920x1080x24
#   stop_x_desktop
#   prepare_managed_prefix            the prefix for a desktop with a window manager

prepare_grabnik_prefix() {
  local prefix=${WINEPREFIX:-$HOME/.wine} managed=N
  [ -f "$prefix/system.reg" ] || wineboot -i >/dev/null 2>&1 </dev/null
  # Unmanaged windows for grabnik.exe only: the window manager would keep
  # the keyboard away from the overlay. Wine then gives the overlay the X
  # focus itself. Chosen for each session: wlroots compositors (sway) take
  # the X focus back from an unmanaged window at once, which closes the
  # overlay; a managed one stays. GNOME's keeps the unmanaged one.
  if [ -n "${WAYLAND_DISPLAY:-}" ] && [[ ${XDG_CURRENT_DESKTOP:-} != *GNOME* ]]; then managed=Y; fi
  grep -A3 'AppDefaults\\\\grabnik.exe\\\\X11 Driver' "$prefix/user.reg" 2>/dev/null |
    grep -q "\"Managed\"=\"$managed\"" ||
    wine reg add 'HKCU\Software\Wine\AppDefaults\grabnik.exe\X11 Driver' /v Managed /d "$managed" /f \
      >/dev/null 2>&1 </dev/null
}

start_x_desktop() {
  # An X desktop, even when started from a Wayland session: the companion
  # reads its screen through X.
  unset WAYLAND_DISPLAY
  # shellcheck source=wine-desktop.sh
  source "$(dirname "${BASH_SOURCE[0]}")/wine-desktop.sh"
  start_wine_desktop "$1" "$2" || return 1
  # First, so that it has settled before the first window: while starting
  # it may drop a request to map one.
  openbox >/dev/null 2>&1 </dev/null &
  X_DESKTOP_WM=$!
  prepare_managed_prefix
}

# With a window manager (openbox, a Wayland compositor) every program's
# windows are managed again, as on a user's desktop; only the run command's
# own setting stays.
prepare_managed_prefix() {
  wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 </dev/null || true
  prepare_grabnik_prefix
}

stop_x_desktop() {
  if [ -n "${X_DESKTOP_WM:-}" ]; then
    kill "$X_DESKTOP_WM" 2>/dev/null || true
    wait "$X_DESKTOP_WM" 2>/dev/null || true
    X_DESKTOP_WM=
  fi
  stop_wine_desktop
}
