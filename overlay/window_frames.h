// Tab's window frames: the top-level windows visible at the freeze, each
// with its visible frame, and the cycle through the windows under the
// pointer, from the top-level window down through its child controls.
#pragma once

// At every freeze, before the overlay shows: the windows as they stand.
void recordWindowFrames();
// Tab: holds the frame of the window under the pointer; each further Tab
// at the same position the next smaller window inside it, then the
// top-level window again. Nothing happens where no window was.
void frameWindowUnderPointer();
