#!/usr/bin/env bash
# Installs what is missing, builds Grabnik and starts it under Wine on your
# display, passing the arguments through:
#   scripts/run.sh "(ctrl+alt+S)" "(ctrl+alt+F)"
# With no arguments the setup dialog asks for both hotkeys.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ -z "${DISPLAY:-}" ]; then
  echo "Grabnik needs a graphical display: DISPLAY is not set." >&2
  exit 1
fi
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build/win32" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$root/build/win32" --target grabnik -j "$(nproc)"
WINEDEBUG=${WINEDEBUG:--all} exec wine "$root/build/win32/bin/grabnik.exe" "$@"
