#!/usr/bin/env bash
# Installs what is missing, builds, and runs the soak under Wine on a private
# 1024x768x24 Xvfb display: snip-and-save round trips of the real program by
# its hotkeys (1000 unless given), then its memory and GDI objects beside the
# same-run reference. Prints a table; exits 2 when any round trip was lost.
#   scripts/soak.sh [cycles]
set -euo pipefail
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
# shellcheck source=windows-build.sh
source "$root/scripts/windows-build.sh"
cycles=${1:-1000}

"$root/scripts/setup.sh"
"$root/scripts/build.sh" win32 >/dev/null

# shellcheck source=wine-desktop.sh
source "$root/scripts/wine-desktop.sh"
trap stop_wine_desktop EXIT
start_wine_desktop "$WINDOWS_RUN_BUILD/wineprefix" 1024x768x24
cd "$WINDOWS_RUN_BUILD/bin"
wine soak.exe "$cycles" </dev/null
