#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#   native unit tests (ASan + UBSan), then the Win32 and end-to-end tests
#   under Wine on a private Xvfb display and Wine prefix, which are stopped
#   again afterwards, whatever the outcome.
set -euo pipefail
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
# shellcheck source=windows-build.sh
source "$root/scripts/windows-build.sh"

"$root/scripts/setup.sh"
"$root/scripts/build.sh" all

status=0
echo "== Unit tests (native)"
(cd "$root/build/native" && ctest --output-on-failure -j "$jobs") || status=1

echo "== Fuzz smoke (native, clang)"
# A few seconds for each target, about a minute and a half in all: enough
# to try the seeds and catch a property broken by a change.
"$root/scripts/fuzz.sh" 8 || status=1

echo "== Win32 and end-to-end tests (Wine)"
# shellcheck source=wine-desktop.sh
source "$root/scripts/wine-desktop.sh"
trap stop_wine_desktop EXIT
start_wine_desktop "$WINDOWS_RUN_BUILD/wineprefix" 1024x768x24
# Serial: the cases share one desktop, its hotkeys, mouse and clipboard.
(cd "$WINDOWS_RUN_BUILD" && ctest --output-on-failure -LE two_monitors) || status=1

echo "== Two-monitor end-to-end tests (Wine)"
stop_wine_desktop
start_two_monitor_desktop "$WINDOWS_RUN_BUILD/wineprefix"
(cd "$WINDOWS_RUN_BUILD" && ctest --output-on-failure -L two_monitors) || status=1

echo "== Release package"
"$root/scripts/check-package.sh" || status=1

echo "== The program built with clang as a second compiler, warnings as errors"
(cd "$root" &&
  cmake --preset clang-cross -DGRABNIK_TESTS=OFF -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null &&
  cmake --build --preset clang-cross --target grabnik) || status=1

echo "== Linux desktop tests (XTest on Xvfb with openbox, Wine)"
"$root/scripts/desktop.sh" test || status=1

echo "== Wayland desktop tests (headless gnome-shell and sway, screenshot portal, Wine)"
"$root/scripts/wayland.sh" test || status=1

exit $status
