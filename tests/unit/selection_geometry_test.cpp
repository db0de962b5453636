#include "overlay/selection_geometry.h"
#include "case_names.h"

#include <gtest/gtest.h>

#include <ostream>

// Beside the type, where the test framework's printer looks for it.
std::ostream& operator<<(std::ostream& out, const SelectionRect& r) {
    return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

struct Drag {
    int startX, startY, endX, endY;
};

struct GeometryCase {
    const char* name;
    Drag drag;
    SelectionRect area;  // normalised
    SelectionFrame frame;
    bool copies;
};

std::ostream& operator<<(std::ostream& out, const GeometryCase& c) { return out << c.name; }

class SelectionGeometry : public testing::TestWithParam<GeometryCase> {};

TEST_P(SelectionGeometry, NormalisesTheCorners) {
    const Drag& d = GetParam().drag;
    EXPECT_EQ(normalizeSelection(d.startX, d.startY, d.endX, d.endY), GetParam().area);
}

TEST_P(SelectionGeometry, FramesTheOutermostRing) {
    const SelectionFrame frame = selectionFrameEdges(GetParam().area);
    const SelectionFrame& expected = GetParam().frame;
    EXPECT_EQ(frame.top, expected.top);
    EXPECT_EQ(frame.left, expected.left);
    EXPECT_EQ(frame.right, expected.right);
    EXPECT_EQ(frame.bottom, expected.bottom);
}

TEST_P(SelectionGeometry, CopiesOnlyAnAreaWithWidthAndHeight) {
    EXPECT_EQ(copiesAnything(GetParam().area), GetParam().copies);
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
        // Corners off the display's top-left are taken as they are.
        GeometryCase{"NegativeCorner",
                     {-5, -6, 3, 2},
                     {-5, -6, 3, 2},
                     {{-5, -6, 3, -5}, {-5, -6, -4, 2}, {2, -6, 3, 2}, {-5, 1, 3, 2}},
                     true}),
    NamedAfterRow());

}  // namespace
