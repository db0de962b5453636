#include "selection_geometry_logic.h"

#include <algorithm>

bool operator==(const SelectionRect& a, const SelectionRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

SelectionRect normalizeSelection(int startX, int startY, int endX, int endY) {
    return {std::min(startX, endX), std::min(startY, endY), std::max(startX, endX),
            std::max(startY, endY)};
}

OverlayPoint toOverlayPosition(int cursorX, int cursorY, int overlayLeft, int overlayTop) {
    return {cursorX - overlayLeft, cursorY - overlayTop};
}

SelectionRect cutToOverlay(const SelectionRect& a, int width, int height) {
    // Each edge is held to the overlay on its own: the order of the edges
    // survives, so an area beyond one side ends as a line on that side.
    return {std::clamp(a.left, 0, width), std::clamp(a.top, 0, height),
            std::clamp(a.right, 0, width), std::clamp(a.bottom, 0, height)};
}

SelectionFrame selectionFrameEdges(const SelectionRect& a) {
    return {
        {a.left, a.top, a.right, a.top + 1},        // top
        {a.left, a.top, a.left + 1, a.bottom},      // left
        {a.right - 1, a.top, a.right, a.bottom},    // right
        {a.left, a.bottom - 1, a.right, a.bottom},  // bottom
    };
}

bool copiesAnything(const SelectionRect& area) { return area.width() > 0 && area.height() > 0; }
