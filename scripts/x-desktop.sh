# Sourced by run.sh, install.sh and by the desktop tests and benchmark:
# what Grabnik needs on a Linux desktop, its programs and a Wine prefix, and
# a private X desktop (the Wine display of wine-desktop.sh with a window
# manager) for the tests, started and stopped together.
#   build_desktop_programs            grabnik.exe and the bridge in
#                                     $WINDOWS_RUN_BUILD/bin, the companion
#                                     in build/linux/bin
#   prepare_grabnik_prefix            the prefix in WINEPREFIX (or ~/.wine)
#   start_x_desktop PREFIX GEOMETRY   e.g. build/win32/desktop-prefix 1920x1080x24
#   stop_x_desktop

# Installs what is missing first. Needs $root and windows-build.sh's
# variables.
build_desktop_programs() {
  "$root/scripts/setup.sh"
  cmake --preset "$WINDOWS_RUN_PRESET" -S "$root" >/dev/null
  cmake --build "$WINDOWS_RUN_BUILD" --target grabnik grabnik-bridge -j "$(nproc)"
  # The companion alone, without the tests' sanitizers.
  cmake -S "$root" -B "$root/build/linux" -DCMAKE_BUILD_TYPE=Release \
        -DGRABNIK_SANITIZE=OFF -DGRABNIK_TESTS=OFF >/dev/null
  cmake --build "$root/build/linux" --target grabnik-companion -j "$(nproc)"
}

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
  # shellcheck source=wine-desktop.sh
  source "$(dirname "${BASH_SOURCE[0]}")/wine-desktop.sh"
  start_wine_desktop "$1" "$2" || return 1
  # First, so that it has settled before the first window: while starting
  # it may drop a request to map one.
  openbox >/dev/null 2>&1 </dev/null &
  X_DESKTOP_WM=$!
  # With a window manager every program's windows are managed again, as on
  # a user's desktop; only the run command's own setting stays.
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
