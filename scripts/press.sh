#!/bin/sh
# Presses a Grabnik hotkey in the Grabnik that scripts/run.sh started on
# this display: for desktops where no X program can grab keys (Wayland),
# bind it in the desktop's own keyboard settings.
#   scripts/press.sh selection|file
exec "$(dirname "$0")/../build/linux/bin/grabnik-companion" --press "$@"
