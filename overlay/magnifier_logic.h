// The magnifier's arithmetic: its size at a monitor's scaling, where it goes
// beside the pointer, and the colour's text. Platform-free, so that it is
// unit tested natively; overlay/magnifier.cpp draws it.
#pragma once

#include <cstdint>

#include "selection_geometry_logic.h"

// It shows the pointer's pixel and MagnifierReach pixels on every side of
// it, each drawn as a square of MagnifierZoom pixels at 96 dots per inch.
constexpr int MagnifierReach = 8;
constexpr int MagnifierSpan = 2 * MagnifierReach + 1;
constexpr int MagnifierZoom = 8;
constexpr int MagnifierTextLines = 3;  // position, colour, frame size

// The box's measures in pixels at a monitor's dots per inch, all in
// proportion to those at 96.
struct MagnifierLayout {
    int cell;        // the side of one magnified pixel
    int zoomSide;    // the magnified square: MagnifierSpan cells
    int lineHeight;  // one line of text below it
    int width, height;
    int gap;  // from the pointer's pixel to the box, both ways
};
MagnifierLayout magnifierLayout(int dpi);

// The box of `width` by `height` pixels for a pointer at (x, y) on a
// monitor whose area is `monitor`: below and right of the pointer, `gap`
// pixels off; left of it when it would cross the monitor's right edge,
// above it when it would cross the bottom edge. On a monitor too small for
// either side it takes the side with more room. It never covers the pointer's
// own pixel: it lies wholly beside it and wholly above or below it.
SelectionRect placeMagnifier(int x, int y, int width, int height, int gap,
                             const SelectionRect& monitor);

// "#RRGGBB" for a colour as the platform's pixel reads give it (red in the
// low byte), terminated.
void formatColourText(uint32_t colour, char (&out)[8]);
