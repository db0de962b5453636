#include "magnifier_logic.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int BaseDpi = 96;

int scaled(int pixels, int dpi) { return std::max(pixels, pixels * dpi / BaseDpi); }

// Where the box starts along one axis: after the pointer when it fits
// there, else before it, else on the side with more room.
int placeAlong(int pointer, int size, int gap, int low, int high) {
    const int after = pointer + 1 + gap;
    const int before = pointer - gap - size;
    if (after + size <= high) return after;
    if (before >= low) return before;
    return high - (pointer + 1) >= pointer - low ? after : before;
}

}  // namespace

MagnifierLayout magnifierLayout(int dpi) {
    MagnifierLayout layout = {};
    layout.cell = scaled(MagnifierZoom, dpi);
    layout.zoomSide = MagnifierSpan * layout.cell;
    layout.lineHeight = scaled(16, dpi);
    layout.width = layout.zoomSide;
    layout.height = layout.zoomSide + MagnifierTextLines * layout.lineHeight;
    layout.gap = scaled(20, dpi);
    return layout;
}

SelectionRect placeMagnifier(int x, int y, int width, int height, int gap,
                             const SelectionRect& monitor) {
    const int left = placeAlong(x, width, gap, monitor.left, monitor.right);
    const int top = placeAlong(y, height, gap, monitor.top, monitor.bottom);
    return {left, top, left + width, top + height};
}

void formatColourText(uint32_t colour, char (&out)[8]) {
    std::snprintf(out, sizeof out, "#%02X%02X%02X", unsigned(colour & 0xFF),
                  unsigned((colour >> 8) & 0xFF), unsigned((colour >> 16) & 0xFF));
}
