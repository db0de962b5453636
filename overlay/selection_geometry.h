// The selection's arithmetic: the rectangle two corners span, the frame
// drawn around it and whether it copies anything. Platform-free, so that it
// is unit tested natively; overlay/selection.cpp draws and copies.
#pragma once

// Right and bottom are exclusive: the area holds columns left to right-1
// and rows top to bottom-1.
struct SelectionRect {
    int left, top, right, bottom;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

bool operator==(const SelectionRect& a, const SelectionRect& b);

// The rectangle between the anchor and the moving corner, whichever way the
// drag went: the smaller coordinates become left and top.
SelectionRect normalizeSelection(int startX, int startY, int endX, int endY);

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
