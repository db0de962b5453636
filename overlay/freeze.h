#pragma once

#include <windows.h>

// Freezes the screen: a new picture of the primary display, or with the
// all-monitors option of the virtual screen, as it is measured now,
// shown on the overlay, which comes to the front. When the overlay is
// already shown over the same area, its picture, whitening included, is
// what gets frozen: restoring no longer undoes the whitening, and the frame
// and the magnifier stay as they were.
void freezeScreen();

// What the overlay covers, in screen positions, measured now: the primary
// display, or with the option the bounding box of every monitor.
RECT overlayScreenArea(HDC screen);

// The freeze itself, from any picture of the screen: a new picture of
// `area` copied from `source`, whose pixel (sourceLeft, sourceTop) shows the
// area's top-left corner, then shown on the overlay. False, and nothing
// frozen, when no picture can be made.
bool freezeArea(const RECT& area, HDC source, int sourceLeft, int sourceTop);
