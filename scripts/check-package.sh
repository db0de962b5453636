#!/usr/bin/env bash
# Part of the test command: the download is what the tests ran, and anyone
# gets the same bytes. Packages the tested build (build/win32) and, from a
# copy of the sources in another folder, a clean build; then checks that
#   - the two zips and their checksum files are byte-identical,
#   - the zip holds grabnik.exe, README.txt and LICENSE.txt, in that order,
#   - its grabnik.exe is build/win32/bin/grabnik.exe, the 32-bit build of
#     the sources the tests ran,
#   - SHA256SUMS matches the zip.
set -euo pipefail
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)

"$root/scripts/package.sh" --reuse "$root/build/win32" --dist "$work/tested" >/dev/null

# The working tree as it is, without build output, in a folder of another
# name and depth: any build path in the binary would change its bytes.
mkdir -p "$work/elsewhere/grabnik-source"
(cd "$root" && git ls-files -z --cached --others --exclude-standard |
  tar --null -T - --ignore-failed-read -cf - 2>/dev/null) | tar -C "$work/elsewhere/grabnik-source" -xf -
"$work/elsewhere/grabnik-source/scripts/package.sh" --dist "$work/clean" >/dev/null

cmp "$work/tested/SHA256SUMS" "$work/clean/SHA256SUMS"
zip=$(cd "$work/tested" && ls grabnik-*-win32.zip)
cmp "$work/tested/$zip" "$work/clean/$zip"
(cd "$work/tested" && sha256sum --quiet --ignore-missing -c SHA256SUMS)
/usr/bin/python3 - "$work/tested/$zip" "$root/build/win32/bin/grabnik.exe" <<'PY'
import sys, zipfile
archive = zipfile.ZipFile(sys.argv[1])
names = archive.namelist()
if names != ["grabnik.exe", "README.txt", "LICENSE.txt"]:
    sys.exit(f"zip holds {names}")
if archive.read("grabnik.exe") != open(sys.argv[2], "rb").read():
    sys.exit("the zip's grabnik.exe is not the one the tests ran")
PY
echo "$zip: reproducible, three files, the tested grabnik.exe"
