#!/usr/bin/env bash
# Builds the Windows program and its tests (build/win32, cross-compiled; and
# build/win64 where 32-bit programs cannot run, see windows-build.sh) and
# the native unit tests (build/native). Usage: build.sh [win32|native|all]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=windows-build.sh
source "$root/scripts/windows-build.sh"
what=${1:-all}
jobs=$(nproc)

if [ "$what" = all ] || [ "$what" = win32 ]; then
  cmake -S "$root" -B "$root/build/win32" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
  cmake --build "$root/build/win32" -j "$jobs"
  if [ "$WINDOWS_RUN_BUILD" != "$root/build/win32" ]; then
    cmake --preset "$WINDOWS_RUN_PRESET" -S "$root" >/dev/null
    cmake --build "$WINDOWS_RUN_BUILD" -j "$jobs"
  fi
fi
if [ "$what" = all ] || [ "$what" = native ]; then
  cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$root/build/native" -j "$jobs"
fi
