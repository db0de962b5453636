#include "selection_geometry.h"

#include <algorithm>

bool operator==(const SelectionRect& a, const SelectionRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

SelectionRect normalizeSelection(int startX, int startY, int endX, int endY) {
    return {std::min(startX, endX), std::min(startY, endY), std::max(startX, endX),
            std::max(startY, endY)};
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
