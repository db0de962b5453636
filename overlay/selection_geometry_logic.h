// The selection's arithmetic: cursor positions as overlay positions, the
// rectangle two corners span, its cut to the overlay, the frame drawn around
// it and whether it copies anything. Platform-free, so that it is unit tested
// natively; overlay/selection.cpp draws and copies.
#pragma once

// Right and bottom are exclusive: the area holds columns left to right-1
// and rows top to bottom-1.
struct SelectionRect {
    int left, top, right, bottom;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

bool operator==(const SelectionRect& a, const SelectionRect& b);

struct OverlayPoint {
    int x, y;
};

// A cursor position on the screen as a position on the overlay, whose
// top-left corner lies at (overlayLeft, overlayTop) on the screen: negative
// when a monitor stands left of or above the primary. Positions off the
// overlay stay off it (a captured drag goes on beyond its edges).
OverlayPoint toOverlayPosition(int cursorX, int cursorY, int overlayLeft, int overlayTop);

// The rectangle between the anchor and the moving corner, whichever way the
// drag went: the smaller coordinates become left and top.
SelectionRect normalizeSelection(int startX, int startY, int endX, int endY);

// The part of the area that lies on an overlay of `width` by `height`
// pixels: the only part that holds frozen pixels. An area wholly off the
// overlay keeps no width or no height.
SelectionRect cutToOverlay(const SelectionRect& area, int width, int height);

// The frame's four edges, each a rectangle to invert: the outermost ring of
// the area. Each corner pixel lies in two edges and so keeps its colour. A
// zero width leaves the top and bottom edges empty, and the side edges then
// stand on the two columns either side of the line (zero height likewise).
struct SelectionFrame {
    SelectionRect top, left, right, bottom;
};
SelectionFrame selectionFrameEdges(const SelectionRect& area);

// Whether a selection copies anything: it must have both width and height.
bool copiesAnything(const SelectionRect& area);

// The selection's two corners, in overlay positions: the anchor where the
// drag began and the moving corner where it ended.
struct SelectionCorners {
    int startX, startY, endX, endY;
};

bool operator==(const SelectionCorners& a, const SelectionCorners& b);

// The keyboard's adjustments of a held frame on an overlay of `width` by
// `height` pixels. Both first hold each corner to the overlay, so that a
// frame dragged on beyond an edge is cut to it as the copy cuts it; after
// that every corner stays within 0..width and 0..height.
// The moving corner moved by (dx, dy), the anchor kept.
SelectionCorners moveFrameCorner(const SelectionCorners& corners, int dx, int dy, int width,
                                 int height);
// Both corners moved by (dx, dy), as far as the whole frame stays on the
// overlay: its size is kept.
SelectionCorners moveWholeFrame(const SelectionCorners& corners, int dx, int dy, int width,
                                int height);
