#!/usr/bin/env bash
# Installs whatever this machine lacks to build, run and test Grabnik:
# the mingw-w64 cross compilers, 32-bit Wine, Xvfb, CMake, GoogleTest, the
# Python that writes the download zip, and for the Linux desktop Xlib,
# XTest, openbox, xclip, setxkbmap, libpng, the check of the menu entries
# and the D-Bus library of the screenshot portal's client.
# Safe to run again: it installs nothing that is already there. Package
# names given as arguments are installed too (tools only one script needs).
set -euo pipefail

packages=(cmake g++ make googletest python3 g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386 xvfb xauth
  # The 64-bit build and loader, for machines that run no 32-bit programs
  # (scripts/windows-build.sh).
  g++-mingw-w64-x86-64-posix wine64
  # The two-monitor test display: a nested X server whose two heads Wine
  # sees through the 32-bit Xinerama library.
  xserver-xephyr libxinerama1:i386
  # The second compiler the test command builds the program with, and the
  # runtime that holds its libFuzzer for the fuzz targets.
  clang libclang-rt-14-dev
  # The Linux desktop's companion and its tests: keyboard layouts set with
  # setxkbmap, the install's menu entries checked by desktop-file-validate,
  # the X clipboard's PNG pictures read and written with libpng; its
  # screenshot portal client, and the fake portal its tests run on a
  # private bus.
  libx11-dev libxtst-dev openbox xclip x11-xkb-utils desktop-file-utils libpng-dev
  libdbus-1-dev pkg-config dbus-daemon python3-dbus python3-gi
  "$@")

sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
# A mirror in the middle of a sync serves some lists that do not match
# their index; apt then keeps the lists it had, which are usually enough.
"${sudo[@]}" apt-get update -qq ||
  echo "setup: some package lists could not be fetched; installing from the others" >&2
install() { "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" >/dev/null; }
install "${missing[@]}" && exit 0

# What usually fails is the 32-bit side: its libraries must match the 64-bit
# ones exactly, and a mirror whose i386 security list is behind cannot give
# them. The tests then run the 64-bit build under the 64-bit loader
# (scripts/windows-build.sh), so install the rest and say what is missing.
native=()
for p in "${missing[@]}"; do [[ $p == *:i386 ]] || native+=("$p"); done
[ ${#native[@]} -lt ${#missing[@]} ] || exit 1
[ ${#native[@]} -eq 0 ] || install "${native[@]}" || exit 1
echo "setup: the 32-bit Wine packages could not be installed; the 64-bit build runs the tests" >&2
