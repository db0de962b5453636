#!/usr/bin/env bash
# Builds the Windows program and its tests (build/win32, cross-compiled; and
# build/win64 where 32-bit programs cannot run, see windows-build.sh) and
# the native unit tests (build/native). Usage: build.sh [win32|native|all]
set -euo pipefail
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
# shellcheck source=windows-build.sh
source "$root/scripts/windows-build.sh"
what=${1:-all}

if [ "$what" = all ] || [ "$what" = win32 ]; then
  build_preset mingw-cross
  if [ "$WINDOWS_RUN_PRESET" != mingw-cross ]; then build_preset "$WINDOWS_RUN_PRESET"; fi
fi
if [ "$what" = all ] || [ "$what" = native ]; then
  build_preset native-tests
fi
