#include "overlay/selection_geometry_logic.h"
#include "support/named_rows.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

// Beside the type, where the test framework's printer looks for it.
std::ostream& operator<<(std::ostream& out, const SelectionRect& r) {
    return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

struct Drag {
    int startX, startY, endX, endY;
};

// Where the overlay lies on the screen, and its size.
struct Overlay {
    int left, top, width, height;
};
constexpr Overlay PrimaryDisplay = {0, 0, 1024, 768};

// The drag is given in cursor positions on the screen, the area in overlay
// positions. The frame and `copies` are those of the selection as it is
// drawn and copied: the area cut to the overlay.
struct GeometryCase : NamedRow {
    Drag drag;
    SelectionRect area;  // normalised
    SelectionFrame frame;
    bool copies;
    std::optional<SelectionRect> cut = std::nullopt;  // absent: on the overlay, kept whole
    Overlay overlay = PrimaryDisplay;
};

class SelectionGeometry : public testing::TestWithParam<GeometryCase> {
protected:
    static SelectionRect selection() { return GetParam().cut.value_or(GetParam().area); }
};

TEST_P(SelectionGeometry, NormalisesTheCornersInOverlayPositions) {
    const Drag& d = GetParam().drag;
    const Overlay& o = GetParam().overlay;
    const OverlayPoint start = toOverlayPosition(d.startX, d.startY, o.left, o.top);
    const OverlayPoint end = toOverlayPosition(d.endX, d.endY, o.left, o.top);
    EXPECT_EQ(normalizeSelection(start.x, start.y, end.x, end.y), GetParam().area);
}

TEST_P(SelectionGeometry, CutsTheAreaToTheOverlay) {
    const Overlay& o = GetParam().overlay;
    EXPECT_EQ(cutToOverlay(GetParam().area, o.width, o.height), selection());
}

TEST_P(SelectionGeometry, FramesTheOutermostRing) {
    const SelectionFrame frame = selectionFrameEdges(selection());
    const SelectionFrame& expected = GetParam().frame;
    EXPECT_EQ(frame.top, expected.top);
    EXPECT_EQ(frame.left, expected.left);
    EXPECT_EQ(frame.right, expected.right);
    EXPECT_EQ(frame.bottom, expected.bottom);
}

TEST_P(SelectionGeometry, CopiesOnlyAnAreaWithWidthAndHeight) {
    EXPECT_EQ(copiesAnything(selection()), GetParam().copies);
}

// Frames are {top, left, right, bottom}, each an exclusive rectangle.
// Every direction of the drag over one area gives the same area and frame.
constexpr SelectionRect Area = {10, 20, 110, 70};
constexpr SelectionFrame AreaFrame = {
    {10, 20, 110, 21}, {10, 20, 11, 70}, {109, 20, 110, 70}, {10, 69, 110, 70}};

INSTANTIATE_TEST_SUITE_P(
    Drags, SelectionGeometry,
    testing::Values(
        GeometryCase{"DownRight", {10, 20, 110, 70}, Area, AreaFrame, true},
        GeometryCase{"UpLeft", {110, 70, 10, 20}, Area, AreaFrame, true},
        GeometryCase{"UpRight", {10, 70, 110, 20}, Area, AreaFrame, true},
        GeometryCase{"DownLeft", {110, 20, 10, 70}, Area, AreaFrame, true},
        // A click: no area, and every edge empty or inverted twice over.
        GeometryCase{"Click",
                     {5, 5, 5, 5},
                     {5, 5, 5, 5},
                     {{5, 5, 5, 6}, {5, 5, 6, 5}, {4, 5, 5, 5}, {5, 4, 5, 5}},
                     false},
        // Zero width: no top or bottom edge; the sides stand on the two
        // columns either side of the line.
        GeometryCase{"ZeroWidth",
                     {30, 10, 30, 40},
                     {30, 10, 30, 40},
                     {{30, 10, 30, 11}, {30, 10, 31, 40}, {29, 10, 30, 40}, {30, 39, 30, 40}},
                     false},
        GeometryCase{"ZeroHeight",
                     {10, 30, 40, 30},
                     {10, 30, 40, 30},
                     {{10, 30, 40, 31}, {10, 30, 11, 30}, {39, 30, 40, 30}, {10, 29, 40, 30}},
                     false},
        // Width one: the left and right edges are the same column.
        GeometryCase{"WidthOne",
                     {7, 0, 8, 3},
                     {7, 0, 8, 3},
                     {{7, 0, 8, 1}, {7, 0, 8, 3}, {7, 0, 8, 3}, {7, 2, 8, 3}},
                     true},
        GeometryCase{"OnePixel",
                     {8, 8, 7, 7},
                     {7, 7, 8, 8},
                     {{7, 7, 8, 8}, {7, 7, 8, 8}, {7, 7, 8, 8}, {7, 7, 8, 8}},
                     true},
        // A corner off the overlay's top-left: the part on the overlay stays.
        GeometryCase{"NegativeCorner",
                     {-5, -6, 3, 2},
                     {-5, -6, 3, 2},
                     {{0, 0, 3, 1}, {0, 0, 1, 2}, {2, 0, 3, 2}, {0, 1, 3, 2}},
                     true,
                     SelectionRect{0, 0, 3, 2}},
        // Every monitor: the overlay's origin lies left of or above the
        // primary, and overlay positions are counted from it.
        GeometryCase{"MonitorLeftOfPrimary",
                     {-100, 50, 200, 150},
                     {1180, 50, 1480, 150},
                     {{1180, 50, 1480, 51},
                      {1180, 50, 1181, 150},
                      {1479, 50, 1480, 150},
                      {1180, 149, 1480, 150}},
                     true,
                     std::nullopt,
                     {-1280, 0, 2304, 1024}},
        GeometryCase{"MonitorAbovePrimary",
                     {110, 30, 10, -20},
                     {10, 1060, 110, 1110},
                     {{10, 1060, 110, 1061},
                      {10, 1060, 11, 1110},
                      {109, 1060, 110, 1110},
                      {10, 1109, 110, 1110}},
                     true,
                     std::nullopt,
                     {0, -1080, 1920, 1848}},
        // Drags that leave the overlay: the frame stands on its edge.
        GeometryCase{"LeavesRightOntoAnotherMonitor",
                     {900, 100, 1200, 300},
                     {900, 100, 1200, 300},
                     {{900, 100, 1024, 101},
                      {900, 100, 901, 300},
                      {1023, 100, 1024, 300},
                      {900, 299, 1024, 300}},
                     true,
                     SelectionRect{900, 100, 1024, 300}},
        GeometryCase{"LeavesLeftOfANegativeOrigin",
                     {-1200, 500, -1400, 600},
                     {-120, 500, 80, 600},
                     {{0, 500, 80, 501}, {0, 500, 1, 600}, {79, 500, 80, 600}, {0, 599, 80, 600}},
                     true,
                     SelectionRect{0, 500, 80, 600},
                     {-1280, 0, 2304, 1024}},
        GeometryCase{"LeavesTopOfANegativeOrigin",
                     {300, -1000, 400, -1100},
                     {300, -20, 400, 80},
                     {{300, 0, 400, 1}, {300, 0, 301, 80}, {399, 0, 400, 80}, {300, 79, 400, 80}},
                     true,
                     SelectionRect{300, 0, 400, 80},
                     {0, -1080, 1920, 1848}},
        GeometryCase{"LeavesEverySide",
                     {1100, 800, -20, -30},
                     {-20, -30, 1100, 800},
                     {{0, 0, 1024, 1}, {0, 0, 1, 768}, {1023, 0, 1024, 768}, {0, 767, 1024, 768}},
                     true,
                     SelectionRect{0, 0, 1024, 768}},
        // Wholly off the overlay: a line on its edge, and nothing to copy.
        GeometryCase{"WhollyRightOfTheOverlay",
                     {1100, 100, 1200, 300},
                     {1100, 100, 1200, 300},
                     {{1024, 100, 1024, 101},
                      {1024, 100, 1025, 300},
                      {1023, 100, 1024, 300},
                      {1024, 299, 1024, 300}},
                     false,
                     SelectionRect{1024, 100, 1024, 300}},
        GeometryCase{"WhollyAboveANegativeOrigin",
                     {10, -1200, 60, -1090},
                     {10, -120, 60, -10},
                     {{10, 0, 60, 1}, {10, 0, 11, 0}, {59, 0, 60, 0}, {10, -1, 60, 0}},
                     false,
                     SelectionRect{10, 0, 60, 0},
                     {0, -1080, 1920, 1848}}),
    NamedAfterRow());

}  // namespace

namespace {

// The keyboard's adjustments of a held frame on a 1024x768 overlay.
struct KeyCase : NamedRow {
    SelectionCorners corners;
    int dx, dy;
    bool wholeFrame;  // Ctrl: the whole frame; else the moving corner
    SelectionCorners expected;
};

class HeldFrameKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(HeldFrameKeys, MoveWithinTheOverlay) {
    const KeyCase& c = GetParam();
    const SelectionCorners moved =
        c.wholeFrame ? moveWholeFrame(c.corners, c.dx, c.dy, 1024, 768)
                     : moveFrameCorner(c.corners, c.dx, c.dy, 1024, 768);
    EXPECT_TRUE(moved == c.expected)
        << moved.startX << "," << moved.startY << " " << moved.endX << "," << moved.endY;
}

INSTANTIATE_TEST_SUITE_P(
    Table, HeldFrameKeys,
    testing::Values(
        KeyCase{"CornerRightByOne", {10, 10, 110, 60}, 1, 0, false, {10, 10, 111, 60}},
        KeyCase{"CornerUpByTen", {10, 10, 110, 60}, 0, -10, false, {10, 10, 110, 50}},
        KeyCase{"CornerPastTheAnchor", {10, 10, 15, 60}, -10, 0, false, {10, 10, 5, 60}},
        KeyCase{"CornerHeldAtTheRightEdge", {10, 10, 1020, 60}, 10, 0, false, {10, 10, 1024, 60}},
        KeyCase{"CornerHeldAtTheTopEdge", {10, 10, 110, 5}, 0, -10, false, {10, 10, 110, 0}},
        KeyCase{"CornerOfAFrameDraggedBeyond", {-50, 10, 2000, 900}, -1, 0, false,
                {0, 10, 1023, 768}},
        KeyCase{"FrameLeftByTen", {10, 10, 110, 60}, -10, 0, true, {0, 10, 100, 60}},
        KeyCase{"FrameStopsAtTheLeftEdge", {10, 10, 110, 60}, -11, 0, true, {0, 10, 100, 60}},
        KeyCase{"FrameStopsAtTheBottomEdge", {10, 700, 110, 765}, 0, 10, true,
                {10, 703, 110, 768}},
        KeyCase{"FrameDraggedUpwardsKeepsItsCorners", {110, 60, 10, 10}, 5, 5, true,
                {115, 65, 15, 15}},
        KeyCase{"FrameAsLargeAsTheOverlayStays", {0, 0, 1024, 768}, 1, -1, true,
                {0, 0, 1024, 768}},
        KeyCase{"FrameDraggedBeyondIsCutFirst", {-50, -50, 100, 100}, 10, 10, true,
                {10, 10, 110, 110}}),
    NamedAfterRow());

}  // namespace
