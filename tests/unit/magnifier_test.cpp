// The magnifier's placement beside the pointer, near the monitor's edges and
// corners, and its measures at a monitor's scaling.
#include <gtest/gtest.h>

#include "overlay/magnifier_logic.h"
#include "support/named_rows.h"

namespace {

constexpr int Width = 136, Height = 184, Gap = 20;
const SelectionRect Monitor = {0, 0, 1024, 768};
// A monitor left of and above the overlay's origin, as a second one may be.
const SelectionRect LeftMonitor = {-800, -100, 0, 500};

struct PlacementCase : NamedRow {
    int x, y;
    SelectionRect monitor;
    SelectionRect expected;
};

class PlaceMagnifier : public testing::TestWithParam<PlacementCase> {};

TEST_P(PlaceMagnifier, BesideThePointerOnItsMonitor) {
    const PlacementCase& c = GetParam();
    const SelectionRect box = placeMagnifier(c.x, c.y, Width, Height, Gap, c.monitor);
    EXPECT_EQ(box, c.expected);
    const bool coversPointer =
        c.x >= box.left && c.x < box.right && c.y >= box.top && c.y < box.bottom;
    EXPECT_FALSE(coversPointer);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PlaceMagnifier,
    testing::Values(
        PlacementCase{"Middle", 500, 300, Monitor, {521, 321, 657, 505}},
        PlacementCase{"TopLeftCorner", 0, 0, Monitor, {21, 21, 157, 205}},
        PlacementCase{"RightEdge", 1000, 300, Monitor, {844, 321, 980, 505}},
        PlacementCase{"JustFitsRight", 867, 300, Monitor, {888, 321, 1024, 505}},
        PlacementCase{"OnePixelTooFarRight", 868, 300, Monitor, {712, 321, 848, 505}},
        PlacementCase{"BottomEdge", 500, 760, Monitor, {521, 556, 657, 740}},
        PlacementCase{"BottomRightCorner", 1023, 767, Monitor, {867, 563, 1003, 747}},
        PlacementCase{"BottomLeftCorner", 0, 767, Monitor, {21, 563, 157, 747}},
        PlacementCase{"TopRightCorner", 1023, 0, Monitor, {867, 21, 1003, 205}},
        PlacementCase{"NegativeMonitorRightEdge", -10, 0, LeftMonitor, {-166, 21, -30, 205}},
        // Too small for either side: the side with more room, off the monitor.
        PlacementCase{"TinyMonitor", 50, 50, {0, 0, 120, 120}, {71, 71, 207, 255}}),
    NamedAfterRow());

TEST(MagnifierLayout, ScalesWithTheMonitorAndNeverShrinks) {
    const struct {
        int dpi, cell, zoomSide, height;
    } rows[] = {{96, 8, 136, 184}, {144, 12, 204, 276}, {192, 16, 272, 368}, {72, 8, 136, 184}};
    for (const auto& row : rows) {
        const MagnifierLayout layout = magnifierLayout(row.dpi);
        EXPECT_EQ(layout.cell, row.cell) << row.dpi;
        EXPECT_EQ(layout.zoomSide, row.zoomSide) << row.dpi;
        EXPECT_EQ(layout.width, row.zoomSide) << row.dpi;
        EXPECT_EQ(layout.height, row.height) << row.dpi;
    }
}

TEST(FormatColourText, RedGreenBlueFromThePlatformsOrder) {
    char text[8];
    formatColourText(0x00563412, text);  // red 0x12, green 0x34, blue 0x56
    EXPECT_STREQ(text, "#123456");
    formatColourText(0xFFFFFFFF, text);  // off the picture: every channel 255
    EXPECT_STREQ(text, "#FFFFFF");
}

}  // namespace
