#!/usr/bin/env bash
# Installs what is missing, builds the Release program from a clean build
# folder and writes the download:
#   dist/grabnik-<version>-win32.zip   grabnik.exe, README.txt, LICENSE.txt
#   dist/SHA256SUMS                    checksums of the zip and of grabnik.exe
# Two runs from the same commit give the same bytes, in any folder, at any time.
# Options:
#   --dist DIR    write the download there instead of dist/
#   --reuse DIR   package the grabnik.exe of this already-built Release folder
#                 instead of building one (the test command packages the
#                 program its tests ran)
set -euo pipefail
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
dist=$root/dist
reuse=
while [ $# -gt 0 ]; do
  case $1 in
    --dist) dist=$2; shift 2 ;;
    --reuse) reuse=$2; shift 2 ;;
    *) echo "usage: package.sh [--dist DIR] [--reuse BUILD_DIR]" >&2; exit 2 ;;
  esac
done

"$root/scripts/setup.sh"
# The zip's file times: the last commit's, unless the caller fixed them.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}

if [ -n "$reuse" ]; then
  build=$(cd "$reuse" && pwd)
else
  build=$root/build/package  # the package preset's
  rm -rf "$build"
  build_preset package grabnik >/dev/null
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
exe=$build/bin/grabnik.exe
zip=grabnik-$version-win32.zip

mkdir -p "$dist"
rm -f "$dist/$zip" "$dist/SHA256SUMS"
# Debian's Python, whatever else comes first on PATH: the zip's bytes must
# not depend on the shell's set-up.
/usr/bin/python3 "$root/scripts/make-release-zip.py" "$dist/$zip" "$exe" "$root/README.md" "$root/LICENSE"
{
  (cd "$dist" && sha256sum "$zip")
  echo "$(sha256sum <"$exe" | cut -d' ' -f1)  grabnik.exe"
} >"$dist/SHA256SUMS"
echo "$dist/$zip"
