# Sourced after common.sh by the scripts that build or run the Windows
# programs: which build runs here, and the Wine loader that runs it.
#
# The program is a 32-bit Windows program, and build/win32 is what ships.
# Some virtual machines run no 32-bit Linux programs at all (their kernels
# have no 32-bit compatibility), and Wine's 32-bit loader is one: there the
# same sources are also built for 64-bit Windows (build/win64), and the tests,
# benchmarks and the run command use that build under Wine's 64-bit loader.
#   WINDOWS_RUN_BUILD   the build folder whose programs run here
#   WINDOWS_RUN_PRESET  its configure preset

machine_runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

if machine_runs_32bit; then
  WINDOWS_RUN_BUILD=$root/build/win32
  WINDOWS_RUN_PRESET=mingw-cross
else
  WINDOWS_RUN_BUILD=$root/build/win64
  WINDOWS_RUN_PRESET=mingw64-cross
  # Debian's wine command picks the 32-bit loader whenever it is installed;
  # these take its place on the PATH, for the scripts and for every program
  # they start (ctest's wrapper, the Linux companion, the tests' own calls).
  wine64_loader_dir=$root/build/wine64-loader
  if [ ! -x "$wine64_loader_dir/wine-stable" ]; then
    mkdir -p "$wine64_loader_dir"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$wine64_loader_dir/wine"
    cp "$wine64_loader_dir/wine" "$wine64_loader_dir/wine-stable"
    chmod +x "$wine64_loader_dir/wine" "$wine64_loader_dir/wine-stable"
  fi
  export PATH=$wine64_loader_dir:$PATH
  export WINELOADER=/usr/lib/wine/wine64
fi
