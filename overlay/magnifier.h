// The magnifier: a square of the picture around the pointer, magnified,
// with the pointer's position, the colour under it and the frame's size,
// drawn beside the pointer into the overlay window alone. Z turns it on and
// off; it stays so from one snip to the next for the life of the process.
#pragma once

#include <windows.h>

// At start-up: on with the option word, off otherwise.
void startMagnifier(bool on);
void toggleMagnifier();
// At every freeze: the pointer is at (x, y), in overlay positions, and the
// monitors are as they stand now.
void startFollowing(int x, int y);
// The pointer moved to (x, y), in overlay positions.
void followPointer(int x, int y);
// What it shows changed (the picture under it, the frame's size).
void refreshMagnifier();
// In the overlay's paint, over the picture and the frame.
void drawMagnifier(HDC overlay);
