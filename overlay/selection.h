// The rubber-band selection on the overlay: a one-pixel frame drawn by
// inverting the pixels under it, the drag and the keys that move it, the
// copy of the selected part of the picture to the clipboard and the end of
// a snip.
#pragma once

#include <windows.h>

#include "selection_geometry_logic.h"

// The selection cut to the overlay.
SelectionRect currentSelection();
// Inverts the frame of the current selection, while one is shown, in the
// overlay's paint.
void drawSelectionFrame(HDC overlay);
// Starts a drag: a frame still shown at the old corners goes, and both
// corners are anchored at the cursor.
void beginSelection(int x, int y);
// The mouse move in selection mode.
void trackSelection(int x, int y, bool leftButtonHeld);

// A held frame is shown while the button is up in selection mode: after a
// release in hold mode, or after Tab. The keys adjust it on the overlay.
bool frameIsHeld();
void moveHeldFrameCorner(int dx, int dy);
void moveHeldFrame(int dx, int dy);
// Shows the area as a held frame, as if hold mode were on for it.
void holdFrame(const SelectionRect& area);

// Puts the selected area of the picture on the clipboard as a bitmap, at
// once or, while another program holds the clipboard, as soon as it lets go
// (export/clipboard_queue.h); a selection without width or height copies
// nothing. The decorations are never part of it; the brush's work is.
void copySelectionToClipboard();
// Forgets the selection and hides the overlay.
void endSnip();
