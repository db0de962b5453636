#!/usr/bin/env bash
# Installs Grabnik for the current user on a Linux desktop, or removes it:
#   scripts/install.sh [--autostart]   builds (installing what is missing),
#                                      then installs
#   scripts/install.sh --uninstall     removes what the install wrote
# The install writes grabnik.exe, the bridge, the companion, the icon and a
# Wine prefix of their own into ~/.local/share/grabnik ($XDG_DATA_HOME), the
# `grabnik` command into ~/.local/bin, the menu entry into
# ~/.local/share/applications and, with --autostart, the entry that starts
# Grabnik at login into ~/.config/autostart ($XDG_CONFIG_HOME). It lists the
# files it wrote outside its own folder, and the folders it made, in that
# folder; the uninstall removes exactly those, and the folder.
set -euo pipefail
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
# shellcheck source=windows-build.sh
source "$root/scripts/windows-build.sh"
# shellcheck source=x-desktop.sh
source "$root/scripts/x-desktop.sh"

usage() {
  echo "usage: scripts/install.sh [--autostart | --uninstall]" >&2
  exit 2
}
[ $# -le 1 ] || usage
autostart=false
uninstall=false
case "${1:-}" in
  "") ;;
  --autostart) autostart=true ;;
  --uninstall) uninstall=true ;;
  *) usage ;;
esac

data=${XDG_DATA_HOME:-$HOME/.local/share}
folder=$data/grabnik
list=$folder/installed.list
command=$HOME/.local/bin/grabnik
menu_entry=$data/applications/grabnik.desktop
autostart_entry=${XDG_CONFIG_HOME:-$HOME/.config}/autostart/grabnik.desktop
# No Mono or Gecko to offer, and no menu entries of Wine's own in the home.
wine_overrides='mscoree,mshtml,winemenubuilder.exe=d'

case "$folder$command$autostart_entry" in
  *$'\n'*) echo "A folder name holds a line break; Grabnik cannot be installed there." >&2; exit 1 ;;
esac

# The Grabnik of this install, if it runs, ends with its Wine session, and
# its companion with it; then its files can change or go.
end_installed_grabnik() {
  [ -d "$folder/wineprefix" ] || return 0
  WINEPREFIX=$folder/wineprefix wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$folder/wineprefix wineserver -w >/dev/null 2>&1 || true
}

if $uninstall; then
  if [ ! -f "$list" ]; then
    echo "Grabnik is not installed for this user ($list is missing)." >&2
    exit 1
  fi
  mapfile -t written <"$list"
  end_installed_grabnik
  for ((i = ${#written[@]} - 1; i >= 0; i--)); do
    case "${written[i]}" in file\ *) rm -f -- "${written[i]#file }" ;; esac
  done
  rm -rf -- "$folder"
  # The deepest first; a folder that holds something else now stays.
  for ((i = ${#written[@]} - 1; i >= 0; i--)); do
    case "${written[i]}" in folder\ *) rmdir -- "${written[i]#folder }" 2>/dev/null || true ;; esac
  done
  echo "Grabnik is uninstalled."
  exit 0
fi

# What this install writes: the list of an earlier install is taken over,
# for the folders it made.
written=()
if [ -f "$list" ]; then
  mapfile -t written < <(grep '^folder ' "$list" || true)
elif [ -e "$folder" ]; then
  echo "$folder is there already, and no install of Grabnik made it." >&2
  exit 1
fi
listed() { [ -f "$list" ] && grep -qxF -- "file $1" "$list"; }
for target in "$command" "$menu_entry" "$autostart_entry"; do
  if [ -e "$target" ] && ! listed "$target"; then
    echo "$target is there already, and no install of Grabnik wrote it." >&2
    exit 1
  fi
done

build_desktop_programs
end_installed_grabnik

# Kept up to date at every exit, so that an install that fails half-way
# can be uninstalled too.
save_list() {
  if [ -d "$folder" ]; then printf '%s\n' "${written[@]}" >"$list"; fi
}
trap save_list EXIT

make_folder() {
  [ -d "$1" ] && return 0
  make_folder "$(dirname "$1")"
  mkdir -- "$1"
  written+=("folder $1")
}

# A command word of a desktop entry's Exec key: quoted, with the characters
# that quoting reserves escaped, then every backslash escaped once more as
# any value's are.
exec_word() {
  local word=$1
  word=${word//\\/\\\\}
  word=${word//\"/\\\"}
  word=${word//\`/\\\`}
  word=${word//\$/\\\$}
  word=${word//%/%%}
  printf '"%s"' "${word//\\/\\\\}"
}

# The menu entry and the autostart entry are the same entry.
write_entry() {
  make_folder "$(dirname "$1")"
  cat >"$1" <<EOF
[Desktop Entry]
Type=Application
Name=Grabnik
GenericName=Screen Snip
Comment=Snip the screen to the clipboard with a hotkey, and save the clipboard's picture as a file
Exec=$(exec_word "$command")
Icon=${folder//\\/\\\\}/grabnik.png
Terminal=false
StartupNotify=false
Categories=Utility;
EOF
  written+=("file $1")
  desktop-file-validate "$1"
}

# A word for sh, in single quotes.
sh_word() { printf "'%s'" "${1//\'/\'\\\'\'}"; }

make_folder "$folder"
install -m 0755 "$WINDOWS_RUN_BUILD/bin/grabnik.exe" "$WINDOWS_RUN_BUILD/bin/grabnik-bridge.exe" \
  "$root/build/linux/bin/grabnik-companion" "$folder/"
install -m 0644 "$root/res/grabnik.png" "$folder/"
echo "Preparing the Wine prefix (the first time takes a minute)."
WINEPREFIX=$folder/wineprefix WINEDLLOVERRIDES=$wine_overrides WINEDEBUG=-all prepare_grabnik_prefix
# Wine writes the prefix's registry files when its session ends.
WINEPREFIX=$folder/wineprefix wineserver -w

loader=""
# Where the 32-bit loader cannot run, the programs built here are 64-bit.
machine_runs_32bit || loader="export WINELOADER=$(sh_word "$WINELOADER")"
make_folder "$(dirname "$command")"
cat >"$command" <<EOF
#!/bin/sh
# Grabnik for this user, installed by Grabnik's scripts/install.sh:
#   grabnik                                 with the hotkeys of the last setup,
#                                           or the setup dialog the first time
#   grabnik "(ctrl+alt+S)" "(ctrl+alt+F)"   with the hotkeys (and options) given
export WINEPREFIX=$(sh_word "$folder/wineprefix")
export WINEDLLOVERRIDES=$(sh_word "$wine_overrides")
export WINEDEBUG=\${WINEDEBUG:--all}
$loader
[ \$# -gt 0 ] || exec $(sh_word "$folder/grabnik-companion") --from-shortcut $(sh_word "$folder")
exec $(sh_word "$folder/grabnik-companion") $(sh_word "$folder") "\$@"
EOF
chmod 0755 "$command"
written+=("file $command")

write_entry "$menu_entry"
if $autostart; then
  write_entry "$autostart_entry"
elif listed "$autostart_entry"; then
  rm -f -- "$autostart_entry"
fi

echo "Grabnik is installed: start it with $command, or from the menu."
case ":$PATH:" in
  *":$(dirname "$command"):"*) ;;
  *) echo "($(dirname "$command") is not on your PATH.)" ;;
esac
