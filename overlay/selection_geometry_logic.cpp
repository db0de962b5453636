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

bool operator==(const SelectionCorners& a, const SelectionCorners& b) {
    return a.startX == b.startX && a.startY == b.startY && a.endX == b.endX && a.endY == b.endY;
}

namespace {

SelectionCorners cornersOnOverlay(const SelectionCorners& c, int width, int height) {
    return {std::clamp(c.startX, 0, width), std::clamp(c.startY, 0, height),
            std::clamp(c.endX, 0, width), std::clamp(c.endY, 0, height)};
}

// A step of the keyboard is small, but the corner may stand anywhere a
// captured drag left it: the sum is taken without overflow.
int heldStep(int from, int step, int limit) {
    return int(std::clamp(static_cast<long long>(from) + step, 0LL, static_cast<long long>(limit)));
}

}  // namespace

SelectionCorners moveFrameCorner(const SelectionCorners& corners, int dx, int dy, int width,
                                 int height) {
    SelectionCorners held = cornersOnOverlay(corners, width, height);
    held.endX = heldStep(held.endX, dx, width);
    held.endY = heldStep(held.endY, dy, height);
    return held;
}

SelectionCorners moveWholeFrame(const SelectionCorners& corners, int dx, int dy, int width,
                                int height) {
    const SelectionCorners held = cornersOnOverlay(corners, width, height);
    const SelectionRect frame = normalizeSelection(held.startX, held.startY, held.endX, held.endY);
    // On the overlay 0 <= left <= right <= width: the range is never empty.
    const int stepX = int(std::clamp<long long>(dx, -frame.left, width - frame.right));
    const int stepY = int(std::clamp<long long>(dy, -frame.top, height - frame.bottom));
    return {held.startX + stepX, held.startY + stepY, held.endX + stepX, held.endY + stepY};
}
