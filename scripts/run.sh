#!/usr/bin/env bash
# Installs what is missing, builds Grabnik and its Linux desktop companion,
# prepares the Wine prefix and starts both on your display, passing the
# arguments through:
#   scripts/run.sh "(ctrl+alt+S)" "(ctrl+alt+F)"
# With no arguments the setup dialog asks for both hotkeys. The companion
# grabs the hotkeys on the X display, so they work from any application, and
# ends when Grabnik ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=windows-build.sh
source "$root/scripts/windows-build.sh"

if [ -z "${DISPLAY:-}" ]; then
  echo "Grabnik needs a graphical display: DISPLAY is not set." >&2
  exit 1
fi
"$root/scripts/setup.sh"
cmake --preset "$WINDOWS_RUN_PRESET" -S "$root" >/dev/null
cmake --build "$WINDOWS_RUN_BUILD" --target grabnik grabnik-bridge -j "$(nproc)"
# The companion alone, without the tests' sanitizers.
cmake -S "$root" -B "$root/build/linux" -DCMAKE_BUILD_TYPE=Release \
      -DGRABNIK_SANITIZE=OFF -DGRABNIK_TESTS=OFF >/dev/null
cmake --build "$root/build/linux" --target grabnik-companion -j "$(nproc)"

export WINEDEBUG=${WINEDEBUG:--all}
# shellcheck source=x-desktop.sh
source "$root/scripts/x-desktop.sh"
prepare_grabnik_prefix
exec "$root/build/linux/bin/grabnik-companion" "$WINDOWS_RUN_BUILD/bin" "$@"
