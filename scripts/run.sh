#!/usr/bin/env bash
# Installs what is missing, builds Grabnik and its Linux desktop companion,
# prepares the Wine prefix and starts both on your display, passing the
# arguments through:
#   scripts/run.sh "(ctrl+alt+S)" "(ctrl+alt+F)"
# With no arguments the setup dialog asks for both hotkeys. The companion
# grabs the hotkeys on the X display, so they work from any application, and
# ends when Grabnik ends.
set -euo pipefail
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
# shellcheck source=windows-build.sh
source "$root/scripts/windows-build.sh"

if [ -z "${DISPLAY:-}" ]; then
  echo "Grabnik needs a graphical display: DISPLAY is not set." >&2
  exit 1
fi
# shellcheck source=x-desktop.sh
source "$root/scripts/x-desktop.sh"
build_desktop_programs

prepare_grabnik_prefix
exec "$root/build/linux/bin/grabnik-companion" "$WINDOWS_RUN_BUILD/bin" "$@"
