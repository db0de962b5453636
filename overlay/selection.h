// The rubber-band selection on the overlay: a one-pixel frame drawn by
// inverting pixels (drawing it twice erases it), the drag that moves it, the
// copy of the selected screen area to the clipboard and the end of a snip.
#pragma once

// Inverts the frame of the current corners on the overlay.
void drawSelectionFrame();
// Starts a drag: erases a frame still drawn at the old corners and anchors
// both corners at the cursor.
void beginSelection(int x, int y);
// The mouse move in selection mode.
void trackSelection(int x, int y, bool leftButtonHeld);
// Puts the selected area of the screen on the clipboard as a bitmap, at
// once or, while another program holds the clipboard, as soon as it lets go
// (export/clipboard_queue.h); a selection without width or height copies
// nothing.
void copySelectionToClipboard();
// Forgets the selection and hides the overlay. The frame is not erased: the
// next freeze replaces the overlay's picture.
void endSnip();
