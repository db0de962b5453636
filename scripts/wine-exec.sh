#!/bin/sh
# Runs one Windows program under Wine for ctest. The caller (scripts/test.sh)
# has set WINEPREFIX and DISPLAY and already started Wine's background
# services with their output detached, so this process's pipes close when
# the program ends.
WINEDEBUG=${WINEDEBUG:--all} exec wine "$@"
