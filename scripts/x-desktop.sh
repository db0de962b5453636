# Sourced by run.sh, install.sh and by the desktop and Wayland tests and
# benchmarks: what Grabnik needs on a Linux desktop, its programs and a Wine
# prefix, and a private X desktop (the Wine display of wine-desktop.sh with a
# window manager) for the tests, started and stopped together.
#   build_desktop_programs            grabnik.exe and the bridge in
#                                     $WINDOWS_RUN_BUILD/bin, the companion
#                                     in build/linux/bin
#   prepare_grabnik_prefix            the prefix in WINEPREFIX (or ~/.wine)
#   start_x_desktop PREFIX GEOMETRY   e.g. build/win32/desktop-prefix 1920x1080x24
#   stop_x_desktop

# Installs what is missing first. Needs common.sh and windows-build.sh.
build_desktop_programs() {
  "$root/scripts/setup.sh"
  build_preset "$WINDOWS_RUN_PRESET" grabnik grabnik-bridge
  # The companion alone, without the tests' sanitizers.
  build_preset linux-companion grabnik-companion
}

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

# With a window manager, every program's windows are managed, as on a
# user's desktop; only the run command's own setting makes Grabnik's not.
start_x_desktop() {
  # An X desktop, even when started from a Wayland session: the companion
  # reads its screen through X.
  unset WAYLAND_DISPLAY
  # shellcheck source=wine-desktop.sh
  source "$root/scripts/wine-desktop.sh"
  start_xvfb "$2" || return 1
  start_wine_prefix "$1"
  # Before the first window, so that it has settled: while starting it may
  # drop a request to map one.
  openbox >/dev/null 2>&1 </dev/null &
  X_DESKTOP_WM=$!
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
