#!/usr/bin/env bash
# Installs what is missing, builds, and runs Grabnik's benchmarks under Wine
# on a private 1920x1080x24 Xvfb display, the overlay's rows again on a
# 3840x2160x24 one, then the freeze over every monitor on a two-monitor
# display. Prints the tables and writes the same figures to bench.json,
# bench-4k.json and bench-two-monitors.json; then the Linux desktop's row
# (scripts/desktop.sh bench) and the Wayland rows (scripts/wayland.sh bench).
set -euo pipefail
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
# shellcheck source=windows-build.sh
source "$root/scripts/windows-build.sh"

"$root/scripts/setup.sh"
"$root/scripts/build.sh" win32 >/dev/null

# shellcheck source=wine-desktop.sh
source "$root/scripts/wine-desktop.sh"
trap stop_wine_desktop EXIT
start_wine_desktop "$WINDOWS_RUN_BUILD/wineprefix" 1920x1080x24
cd "$WINDOWS_RUN_BUILD/bin"
wine bench.exe 'Z:'"$(cd .. && pwd)"'/bench.json' </dev/null

# The overlay's rows again on a 4K screen: the freeze, a drag step and a
# brush stroke as the pixels grow.
stop_wine_desktop
start_wine_desktop "$WINDOWS_RUN_BUILD/wineprefix" 3840x2160x24
wine bench.exe --overlay 'Z:'"$(cd .. && pwd)"'/bench-4k.json' </dev/null
# The freeze over every monitor, on the two-monitor display.
stop_wine_desktop
start_two_monitor_desktop "$WINDOWS_RUN_BUILD/wineprefix"
wine bench.exe --two-monitors 'Z:'"$(cd .. && pwd)"'/bench-two-monitors.json' </dev/null

# The Linux desktop's row, on a display of its own with a window manager.
"$root/scripts/build.sh" native >/dev/null
"$root/scripts/desktop.sh" bench

# The Wayland rows, in headless gnome-shell and sway sessions.
"$root/scripts/wayland.sh" bench
