# shellcheck shell=bash
# Sourced first by every script: the checkout's root folder, how many jobs a
# build runs, Wine kept quiet (unless the caller asks for its debug
# channels), and the one way to configure and build: by the presets in
# CMakePresets.json.
#   root      the checkout, whichever folder it was copied to
#   jobs      parallel build jobs: one a processor
#   build_preset PRESET [TARGET...]
#             configures PRESET (quietly) and builds its targets, or all

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)
export WINEDEBUG=${WINEDEBUG:--all}

build_preset() {
  local preset=$1
  shift
  local targets=()
  if [ $# -gt 0 ]; then targets=(--target "$@"); fi
  (cd "$root" && cmake --preset "$preset" >/dev/null &&
    cmake --build --preset "$preset" -j "$jobs" "${targets[@]}")
}
