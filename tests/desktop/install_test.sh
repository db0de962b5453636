#!/usr/bin/env bash
# The install for the current user, into a scratch home, on the desktop that
# scripts/desktop.sh test has started (DISPLAY): the files it writes, its
# menu and autostart entries checked with desktop-file-validate, the
# installed command driven as a user would (the desktop tests' Installed
# case), and an uninstall that leaves the home as it was. Prints one line a
# check; the exit code counts the failed ones.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
home=$root/build/native/install-home
failed=0

check() {
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failed=$((failed + 1)); fi
}

# Every name, kind and mode in the home, and every file's contents.
snapshot() {
  (cd "$home" && find . -printf '%p %y %m\n' | sort && find . -type f -exec md5sum {} + | sort)
}

# Valid, and without warnings either: the tool exits 0 on warnings.
validates() {
  local report status=0
  report=$(desktop-file-validate "$1" 2>&1) || status=$?
  if [ -n "$report" ]; then echo "$report"; fi
  [ "$status" -eq 0 ] && [ -z "$report" ]
}

rm -rf "$home"
# Another program's menu entry: its folder is there before, and stays.
mkdir -p "$home/.local/share/applications"
printf '[Desktop Entry]\nType=Application\nName=Other\nExec=other\n' \
  >"$home/.local/share/applications/other.desktop"
before=$(snapshot)

# The user's own settings: none of the test desktop's.
as_user=(env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u WINEPREFIX HOME="$home")
check "install --autostart" "${as_user[@]}" "$root/scripts/install.sh" --autostart

for file in .local/share/grabnik/grabnik.exe .local/share/grabnik/grabnik-bridge.exe \
  .local/share/grabnik/grabnik-companion .local/share/grabnik/grabnik.png \
  .local/share/grabnik/wineprefix/system.reg; do
  check "$file is there" test -f "$home/$file"
done
check "the grabnik command runs" test -x "$home/.local/bin/grabnik"
check "the menu entry is valid" validates "$home/.local/share/applications/grabnik.desktop"
check "the autostart entry is valid" validates "$home/.config/autostart/grabnik.desktop"

check "the installed command on the desktop" "${as_user[@]}" \
  GRABNIK_INSTALLED_COMMAND="$home/.local/bin/grabnik" \
  "$root/build/native/bin/desktop_tests" --gtest_filter='Installed.*'

check "uninstall" "${as_user[@]}" "$root/scripts/install.sh" --uninstall
after=$(snapshot)
check "the home is as it was before" [ "$before" = "$after" ]
[ "$before" = "$after" ] || diff <(echo "$before") <(echo "$after")

rm -rf "$home"
exit $((failed > 0))
