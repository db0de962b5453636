#!/usr/bin/env bash
# Makes the README's pictures in docs/ from real windows under Wine on a
# private Xvfb display and Wine prefix (build/pictures), stopped afterwards:
#   docs/selecting-text.png   a selection frame dragged over a notepad paragraph
#   docs/magnifier.png        the magnifier beside the pointer during a drag
#   docs/brush-whitened.png   the same area after the brush whitened its tint
#   docs/setup-dialog.png     the setup dialog with two hotkeys chosen
#   docs/file-open-paste.png  the file hotkey's path pasted into a file-open box
# Input goes through the X server (XTest), as a user's would.
set -euo pipefail
# shellcheck source=common.sh
source "$(dirname "$0")/common.sh"
# shellcheck source=windows-build.sh
source "$root/scripts/windows-build.sh"
work=$root/build/pictures
docs=$root/docs

"$root/scripts/setup.sh" xdotool imagemagick pngquant
build_preset "$WINDOWS_RUN_PRESET" grabnik >/dev/null

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
# Saves an area of the screen (name x y width height) as a small PNG.
snap_area() {
  local name=$1
  sleep 0.5  # Wine pushes a window's pixels to X from its message loop
  import -window root -crop "${4}x$5+$2+$3" +repage "$work/$name"
  pngquant --force --quality 70-95 --strip --output "$docs/$name" "$work/$name"
  echo "docs/$name: $(stat -c %s "$docs/$name") bytes"
}
# The same for the screen's area of an X window.
snap() {
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$2" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  snap_area "$1" "$X" "$Y" "$WIDTH" "$HEIGHT"
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

launch "$WINDOWS_RUN_BUILD/bin/grabnik.exe" '(ctrl+alt+S)' '(ctrl+alt+F)'
sleep 2
# A Wine window must have the X focus for keys typed on X to reach the
# hotkeys; with no window manager, nothing gives it back when the overlay
# hides. A click on notepad's caption does.
focus_notepad() { xdotool mousemove 300 32 click 1 sleep 0.5; }
focus_notepad

# 1. The selection hotkey, then a drag over part of the paragraph, held.
xdotool key ctrl+alt+s
sleep 1
xdotool mousemove 44 110 sleep 0.3 mousedown 1 sleep 0.3
for x in 120 200 280 360 440; do xdotool mousemove "$x" $((110 + (x - 44) / 4)) sleep 0.1; done
snap selecting-text.png "$notepad"
# Releasing copies the framed pixels: the file hotkey's picture below.
xdotool mouseup 1
sleep 1

# 1b. Again with the magnifier (Z): beside the pointer, the pixels around it
# at 8x, its position, its colour and the frame's size. Off again (Z) and
# Escape, so that nothing is copied and the next pictures show no magnifier.
focus_notepad
xdotool key ctrl+alt+s
sleep 1
xdotool key z mousemove 60 80 sleep 0.3 mousedown 1 sleep 0.3
for x in 120 180 240 300; do xdotool mousemove "$x" $((80 + (x - 60) / 3)) sleep 0.1; done
snap_area magnifier.png 24 24 560 400
xdotool key z key Escape sleep 0.3 mouseup 1
sleep 1

# 2. Again, with the brush (right button): a press on the blank tint beside
# the heading samples it; strokes over the paragraph turn the tint white and
# leave the letters, so the heading keeps its tint for comparison.
focus_notepad
xdotool key ctrl+alt+s
sleep 1
# The button stays down from the sample on: every press samples anew. Each
# move whitens the 16x16 square under the pointer, so steps of 12 and 14
# leave no gaps, if every move arrives on its own: moves that queue up
# merge into the last.
xdotool mousemove 420 80 click 3 sleep 0.3 mousedown 1 sleep 0.2
for y in $(seq 106 14 218); do
  stroke=()
  for x in $(seq 36 12 492); do stroke+=(mousemove "$x" "$y" sleep 0.03); done
  xdotool "${stroke[@]}"
done
xdotool mouseup 1
snap brush-whitened.png "$notepad"
xdotool key Escape
sleep 0.5

# 3. The file hotkey writes the snip copied in 1 to a temporary PNG and puts
# its path on the clipboard, which Grabnik holds while it runs. Pasted into
# the file-open box of a second notepad in the default colours, in a folder
# of its own.
focus_notepad
xdotool key ctrl+alt+f
sleep 1
reg_add 'HKCU\Control Panel\Colors' Window REG_SZ '255 255 255'
mkdir -p "$work/Documents"
cp "$work/minutes.txt" "$work/Documents/"
(cd "$work/Documents" && launch notepad)
window 'Untitled - Notepad' >/dev/null
sleep 0.5
xdotool key ctrl+o
open_box=$(window Open)
sleep 0.5
xdotool key ctrl+v
snap file-open-paste.png "$open_box"
xdotool key Escape

# 4. Without arguments: the setup dialog, with Control+Alt+K and Shift+L
# chosen. The positions are the controls' in the dialog at this font.
quietly wineserver -k || true
quietly wineserver -p
launch "$WINDOWS_RUN_BUILD/bin/grabnik.exe"
dialog=$(window 'Grabnik Hotkey Setup')
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$dialog" | grep -E '^(X|Y)=')"
click() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1 sleep 0.2; }
# A click ticks a box and takes the focus; Tab goes on in the template's
# order, and a letter picks a key in a closed key list.
click 40 52   # selection: Control
click 113 52  # selection: Alt
xdotool key Tab Tab Tab k sleep 0.2  # past Shift and Win to the key list
click 40 144  # file: Shift
xdotool key Tab Tab l sleep 0.2      # past Win to the key list
xdotool mousemove 0 0
snap setup-dialog.png "$dialog"
