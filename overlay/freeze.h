#pragma once

#include <windows.h>

// Freezes the screen: a new snapshot of the primary display, or with the
// all-monitors option of the virtual screen, as it is measured now,
// shown on the overlay, which comes to the front. When the overlay is
// already shown, its own picture (frame, whitening) is what gets frozen.
void freezeScreen();

// What the overlay covers, in screen positions, measured now: the primary
// display, or with the option the bounding box of every monitor.
RECT overlayScreenArea(HDC screen);

// The freeze itself, from any picture of the screen: a new snapshot of
// `area` copied from `source`, whose pixel (sourceLeft, sourceTop) shows the
// area's top-left corner, then shown on the overlay. False, and nothing
// frozen, when no snapshot can be made.
bool freezeArea(const RECT& area, HDC source, int sourceLeft, int sourceTop);
