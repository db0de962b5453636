#!/usr/bin/env bash
# Grabnik on a Linux X desktop: the desktop tests and the install test, or
# the latency benchmark, on a private 1920x1080 Xvfb display with openbox
# and a private Wine prefix (desktop-prefix in the Windows build that runs
# here), all stopped again afterwards.
#   scripts/desktop.sh test|bench
# Expects both builds (scripts/build.sh all); scripts/test.sh and
# scripts/bench.sh call it.
set -euo pipefail
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
# shellcheck source=windows-build.sh
source "$root/scripts/windows-build.sh"
what=${1:-test}

# shellcheck source=x-desktop.sh
source "$root/scripts/x-desktop.sh"
trap stop_x_desktop EXIT
start_x_desktop "$WINDOWS_RUN_BUILD/desktop-prefix" 1920x1080x24
export GRABNIK_DESKTOP_PROGRAMS="$WINDOWS_RUN_BUILD/bin"
if [ "$what" = bench ]; then
  "$root/build/native/bin/desktop_bench"
else
  status=0
  (cd "$root/build/native" && ctest --output-on-failure -L desktop) || status=1
  echo "== The install for the current user, into a scratch home"
  "$root/tests/desktop/install_test.sh" || status=1
  exit $status
fi
