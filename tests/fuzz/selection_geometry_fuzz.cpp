// The selection's geometry for any two cursor positions. They lie on the
// virtual screen, whose coordinates the platform keeps within 16 bits (its
// mouse messages carry them as 16-bit words), so the geometry's sums and
// differences cannot overflow an int. The normalised area lies inside the
// rectangle the corners span and has them as its corners, it copies exactly
// when both coordinates differ, and its frame inverts exactly the area's
// outermost ring but the corners.
//
// Each property is a function of the decoded input, called once below: a
// new property of the geometry is one more function and one more call.
#include "fuzz_check.h"
#include "overlay/selection_geometry.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>

namespace {

struct Corners {
    int startX, startY, endX, endY;
};

Corners readCorners(FuzzedDataProvider& data) {
    Corners c;
    for (int* coordinate : {&c.startX, &c.startY, &c.endX, &c.endY})
        *coordinate = data.ConsumeIntegral<int16_t>();
    return c;
}

SelectionRect normalised(const Corners& c) {
    return normalizeSelection(c.startX, c.startY, c.endX, c.endY);
}

void checkInsideSpan(const Corners& c) {
    const SelectionRect area = normalised(c);
    FUZZ_REQUIRE(area.left == std::min(c.startX, c.endX) &&
                 area.right == std::max(c.startX, c.endX));
    FUZZ_REQUIRE(area.top == std::min(c.startY, c.endY) &&
                 area.bottom == std::max(c.startY, c.endY));
    // Whichever way the drag went, the same area.
    FUZZ_REQUIRE(area == normalizeSelection(c.endX, c.endY, c.startX, c.startY));
    FUZZ_REQUIRE(area == normalizeSelection(c.startX, c.endY, c.endX, c.startY));
}

void checkCopies(const Corners& c) {
    FUZZ_REQUIRE(copiesAnything(normalised(c)) == (c.startX != c.endX && c.startY != c.endY));
}

bool contains(const SelectionRect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// How often the frame inverts the pixel: an odd count changes it.
int inversions(const SelectionFrame& frame, int x, int y) {
    int count = 0;
    for (const SelectionRect& edge : {frame.top, frame.left, frame.right, frame.bottom})
        count += contains(edge, x, y);
    return count;
}

// Checked on the pixels where the ring can begin or end, one pixel either
// side included: the ring's rows and columns are uniform in between.
void checkFrame(const Corners& c) {
    const SelectionRect area = normalised(c);
    if (area.width() < 2 || area.height() < 2) return;  // a line has no ring with corners
    const SelectionFrame frame = selectionFrameEdges(area);
    const int xs[] = {area.left - 1,  area.left,      area.left + 1,
                      area.right - 2, area.right - 1, area.right};
    const int ys[] = {area.top - 1,    area.top,        area.top + 1,
                      area.bottom - 2, area.bottom - 1, area.bottom};
    for (int x : xs) {
        for (int y : ys) {
            const bool onColumnEdge = x == area.left || x == area.right - 1;
            const bool onRowEdge = y == area.top || y == area.bottom - 1;
            const bool onRing = contains(area, x, y) && (onColumnEdge || onRowEdge);
            const bool corner = onColumnEdge && onRowEdge;
            FUZZ_REQUIRE((inversions(frame, x, y) % 2 == 1) == (onRing && !corner));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    const Corners corners = readCorners(data);
    checkInsideSpan(corners);
    checkCopies(corners);
    checkFrame(corners);
    return 0;
}
