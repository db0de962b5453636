// The selection's geometry for any overlay and any two cursor positions on
// the virtual screen, whose coordinates the platform keeps within 16 bits
// (its mouse messages carry them as 16-bit words), so that the geometry's
// sums and differences cannot overflow an int. A position's place on the
// overlay moves with the overlay; the normalised area lies inside the
// rectangle its corners span and has them as its corners; it copies exactly
// when both coordinates differ; its frame inverts exactly the area's
// outermost ring but the corners; its cut lies inside the overlay and is
// exactly the part of the area on it. The keys' moves of a held frame keep
// every corner on the overlay: the corner's move keeps the anchor, the whole
// frame's keeps the size, and either is exact where it stays on the overlay.
//
// Each property is a function of the decoded input, called once below: a
// new property of the geometry is one more function and one more call.
#include "fuzz_check.h"
#include "overlay/selection_geometry_logic.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>

namespace {

struct Drag {
    int overlayLeft, overlayTop, overlayWidth, overlayHeight;  // on the screen
    int startX, startY, endX, endY;                            // cursor positions
};

Drag readDrag(FuzzedDataProvider& data) {
    Drag d;
    d.overlayLeft = data.ConsumeIntegral<int16_t>();
    d.overlayTop = data.ConsumeIntegral<int16_t>();
    d.overlayWidth = data.ConsumeIntegralInRange(1, 32767);
    d.overlayHeight = data.ConsumeIntegralInRange(1, 32767);
    for (int* coordinate : {&d.startX, &d.startY, &d.endX, &d.endY})
        *coordinate = data.ConsumeIntegral<int16_t>();
    return d;
}

OverlayPoint start(const Drag& d) {
    return toOverlayPosition(d.startX, d.startY, d.overlayLeft, d.overlayTop);
}
OverlayPoint end(const Drag& d) {
    return toOverlayPosition(d.endX, d.endY, d.overlayLeft, d.overlayTop);
}

SelectionRect normalised(const Drag& d) {
    return normalizeSelection(start(d).x, start(d).y, end(d).x, end(d).y);
}

void checkOverlayPositions(const Drag& d) {
    const OverlayPoint origin =
        toOverlayPosition(d.overlayLeft, d.overlayTop, d.overlayLeft, d.overlayTop);
    FUZZ_REQUIRE(origin.x == 0 && origin.y == 0);
    FUZZ_REQUIRE(end(d).x - start(d).x == d.endX - d.startX);
    FUZZ_REQUIRE(end(d).y - start(d).y == d.endY - d.startY);
}

void checkInsideSpan(const Drag& d) {
    const SelectionRect area = normalised(d);
    const OverlayPoint s = start(d), e = end(d);
    FUZZ_REQUIRE(area.left == std::min(s.x, e.x) && area.right == std::max(s.x, e.x));
    FUZZ_REQUIRE(area.top == std::min(s.y, e.y) && area.bottom == std::max(s.y, e.y));
    // Whichever way the drag went, the same area.
    FUZZ_REQUIRE(area == normalizeSelection(e.x, e.y, s.x, s.y));
    FUZZ_REQUIRE(area == normalizeSelection(s.x, e.y, e.x, s.y));
}

void checkCopies(const Drag& d) {
    FUZZ_REQUIRE(copiesAnything(normalised(d)) == (d.startX != d.endX && d.startY != d.endY));
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
void checkFrame(const Drag& d) {
    const SelectionRect area = normalised(d);
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

void checkCut(const Drag& d) {
    const SelectionRect area = normalised(d);
    const SelectionRect cut = cutToOverlay(area, d.overlayWidth, d.overlayHeight);
    FUZZ_REQUIRE(0 <= cut.left && cut.left <= cut.right && cut.right <= d.overlayWidth);
    FUZZ_REQUIRE(0 <= cut.top && cut.top <= cut.bottom && cut.bottom <= d.overlayHeight);

    // The overlap of the area and the overlay, when there is one.
    const SelectionRect overlap = {std::max(area.left, 0), std::max(area.top, 0),
                                   std::min(area.right, d.overlayWidth),
                                   std::min(area.bottom, d.overlayHeight)};
    const bool overlaps = overlap.left < overlap.right && overlap.top < overlap.bottom;
    FUZZ_REQUIRE(copiesAnything(cut) == overlaps);
    if (overlaps) FUZZ_REQUIRE(cut == overlap);
}

bool onOverlay(const SelectionCorners& c, const Drag& d) {
    return 0 <= c.startX && c.startX <= d.overlayWidth && 0 <= c.endX &&
           c.endX <= d.overlayWidth && 0 <= c.startY && c.startY <= d.overlayHeight &&
           0 <= c.endY && c.endY <= d.overlayHeight;
}

void checkKeys(const Drag& d, int dx, int dy) {
    const SelectionCorners dragged = {start(d).x, start(d).y, end(d).x, end(d).y};
    const SelectionCorners held =
        moveFrameCorner(dragged, 0, 0, d.overlayWidth, d.overlayHeight);
    FUZZ_REQUIRE(onOverlay(held, d));

    const SelectionCorners corner = moveFrameCorner(dragged, dx, dy, d.overlayWidth, d.overlayHeight);
    FUZZ_REQUIRE(onOverlay(corner, d));
    FUZZ_REQUIRE(corner.startX == held.startX && corner.startY == held.startY);
    const long long wantX = static_cast<long long>(held.endX) + dx;
    const long long wantY = static_cast<long long>(held.endY) + dy;
    if (wantX >= 0 && wantX <= d.overlayWidth) FUZZ_REQUIRE(corner.endX == wantX);
    if (wantY >= 0 && wantY <= d.overlayHeight) FUZZ_REQUIRE(corner.endY == wantY);

    const SelectionCorners frame = moveWholeFrame(dragged, dx, dy, d.overlayWidth, d.overlayHeight);
    FUZZ_REQUIRE(onOverlay(frame, d));
    FUZZ_REQUIRE(frame.endX - frame.startX == held.endX - held.startX);
    FUZZ_REQUIRE(frame.endY - frame.startY == held.endY - held.startY);
    const SelectionRect before = normalizeSelection(held.startX, held.startY, held.endX, held.endY);
    if (before.left + static_cast<long long>(dx) >= 0 &&
        before.right + static_cast<long long>(dx) <= d.overlayWidth)
        FUZZ_REQUIRE(frame.startX == held.startX + dx);
    if (before.top + static_cast<long long>(dy) >= 0 &&
        before.bottom + static_cast<long long>(dy) <= d.overlayHeight)
        FUZZ_REQUIRE(frame.startY == held.startY + dy);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    const Drag drag = readDrag(data);
    checkOverlayPositions(drag);
    checkInsideSpan(drag);
    checkCopies(drag);
    checkFrame(drag);
    checkCut(drag);
    const int dx = data.ConsumeIntegral<int16_t>();
    const int dy = data.ConsumeIntegral<int16_t>();
    checkKeys(drag, dx, dy);
    return 0;
}
