// The whitening brush on the overlay's picture, one 16x16 block at the
// cursor at a time, in overlay positions.
#pragma once

#include <windows.h>

// The brush cursor's own size in pixels: its outline frames the block.
constexpr int BrushCursorSide = 32;

// The brush cursor from the program's resources, at its own size. Loaded
// once at start-up; it lives as long as the process.
HCURSOR loadBrushCursor(HINSTANCE instance);

// A new freeze: the snapshot holds nothing of the picture yet.
void forgetBrushWork();
// Measures the block: the mean of its non-white colours and a tolerance,
// kept in the snip state until the next sample.
void sampleBrushColour(int x, int y);
// Paints white every pixel of the block within the tolerance of the sample.
void whitenBrushArea(int x, int y);
// Puts the block back as the frozen screen holds it.
void restoreBrushArea(int x, int y);
