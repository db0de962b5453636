#!/usr/bin/env bash
# Makes the README's pictures in docs/ from real windows under Wine on a
# private Xvfb display and Wine prefix (build/pictures), stopped afterwards:
#   docs/selecting-text.png   a selection frame dragged over a notepad paragraph
#   docs/brush-whitened.png   the same area after the brush whitened its tint
#   docs/setup-dialog.png     the setup dialog with two hotkeys chosen
#   docs/file-open-paste.png  the file hotkey's path pasted into a file-open box
# Input goes through the X server (XTest), as a user's would.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$root/build/pictures
docs=$root/docs

"$root/scripts/setup.sh" xdotool imagemagick pngquant
cmake -S "$root" -B "$root/build/win32" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$root/build/win32" --target grabnik -j "$(nproc)" >/dev/null

mkdir -p "$work"
# shellcheck source=wine-desktop.sh
source "$root/scripts/wine-desktop.sh"
trap stop_wine_desktop EXIT
start_wine_desktop "$work/wineprefix" 1024x768x24

quietly() { "$@" >/dev/null 2>&1 </dev/null; }
# Starts a Windows program in the background, detached from this shell.
launch() { quietly wine "$@" & }
reg_add() { quietly wine reg add "$1" /v "$2" /t "$3" /d "$4" /f; }
# The X window of a visible Wine window with that title, once it is mapped.
window() { xdotool search --sync --onlyvisible --name "^$1\$" | head -n1; }
# Saves the screen's area of an X window, plus a margin, as a small PNG.
snap() {
  local name=$1 id=$2 margin=${3:-0} X Y WIDTH HEIGHT
  sleep 0.5  # Wine pushes a window's pixels to X from its message loop
  eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  import -window root -crop "$((WIDTH + 2 * margin))x$((HEIGHT + 2 * margin))+$((X - margin))+$((Y - margin))" \
         +repage "$work/$name"
  pngquant --force --quality 70-95 --strip --output "$docs/$name" "$work/$name"
  echo "docs/$name: $(stat -c %s "$docs/$name") bytes"
}

# A paragraph on a tinted background, as a highlighted page or a coloured
# form would have: the window colour of every Wine program in this prefix.
reg_add 'HKCU\Control Panel\Colors' Window REG_SZ '255 236 179'
for value in iWindowPosX:24 iWindowPosY:24 iWindowPosDX:520 iWindowPosDY:230 iPointSize:110 fWrap:1; do
  reg_add 'HKCU\Software\Microsoft\Notepad' "${value%%:*}" REG_DWORD "${value##*:}"
done
printf '%s\r\n\r\n%s\r\n' 'Minutes of the release meeting' \
  'The team agreed to ship the first release on Friday. Every download comes with a checksum, and anyone can build the same bytes from the sources. Still open: the wording of the install guide, and pictures for the README that show real windows rather than test patterns.' \
  >"$work/minutes.txt"
launch notepad "$(winepath -w "$work/minutes.txt")"
notepad=$(window 'minutes.txt - Notepad')

launch "$root/build/win32/bin/grabnik.exe" '(ctrl+alt+S)' '(ctrl+alt+F)'
sleep 2
# A Wine window must have the X focus for keys typed on X to reach the hotkeys.
xdotool mousemove 300 32 click 1
sleep 0.5

# 1. The selection hotkey, then a drag over part of the paragraph, held.
xdotool key ctrl+alt+s
sleep 1
xdotool mousemove 44 110 sleep 0.3 mousedown 1 sleep 0.3
for x in 120 200 280 360 440; do xdotool mousemove "$x" $((110 + (x - 44) / 4)) sleep 0.1; done
snap selecting-text.png "$notepad"
# Releasing copies the framed pixels: the file hotkey's picture below.
xdotool mouseup 1
sleep 1

# 2. Again, with the brush: sample the tint beside the text, then strokes
# over the lines of text turn the tint white and leave the letters.
xdotool key ctrl+alt+s
sleep 1
xdotool mousemove 300 260 click 3 sleep 0.3 mousedown 1 sleep 0.2
for y in 108 122 136 150 164 178 192; do
  xdotool mousemove 40 "$y" sleep 0.05
  for x in $(seq 40 12 470); do xdotool mousemove "$x" "$y"; done
done
xdotool mouseup 1
snap brush-whitened.png "$notepad"
xdotool key Escape
sleep 0.5

# 3. The file hotkey writes the copied snip to a temporary PNG and puts its
# path on the clipboard; pasted into notepad's file-open box.
xdotool key ctrl+alt+f
sleep 1
xdotool windowactivate --sync "$notepad" 2>/dev/null || xdotool mousemove 300 32 click 1
xdotool key ctrl+o
open_box=$(window Open)
sleep 0.5
xdotool key ctrl+v
snap file-open-paste.png "$open_box"
xdotool key Escape
sleep 0.5

# 4. Without arguments: the setup dialog, with Control+Alt+K and Shift+L chosen.
quietly wineserver -k || true
quietly wineserver -p
reg_add 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ N
launch "$root/build/win32/bin/grabnik.exe"
dialog=$(window 'Grabnik Hotkey Setup')
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$dialog" | grep -E '^(X|Y)=')"
echo "dialog at $X,$Y"
