#!/usr/bin/env bash
# Installs what is missing, builds, and runs Grabnik's benchmarks under Wine
# on a private 1920x1080x24 Xvfb display, then the freeze over every monitor
# on a two-monitor display. Prints the tables and writes the same figures to
# build/win32/bench.json and bench-two-monitors.json.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

"$root/scripts/setup.sh"
"$root/scripts/build.sh" win32 >/dev/null

# shellcheck source=wine-desktop.sh
source "$root/scripts/wine-desktop.sh"
trap stop_wine_desktop EXIT
start_wine_desktop "$root/build/win32/wineprefix" 1920x1080x24
cd "$root/build/win32/bin"
wine bench.exe 'Z:'"$(cd .. && pwd)"'/bench.json' </dev/null

# The freeze over every monitor, on the two-monitor display.
stop_wine_desktop
start_two_monitor_desktop "$root/build/win32/wineprefix"
wine bench.exe --two-monitors 'Z:'"$(cd .. && pwd)"'/bench-two-monitors.json' </dev/null
