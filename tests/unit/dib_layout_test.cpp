#include "export/dib_layout_logic.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/named_rows.h"

namespace {

// A valid 3x2 bottom-up V5 header with BI_BITFIELDS; each row changes one field.
DibHeaderFields valid() {
    return {DibV5HeaderSize, 3, 2, 1, 32, 3, 0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u, 0};
}

constexpr size_t Exact = DibV5HeaderSize + 3 * 2 * 4;

struct LayoutCase : NamedRow {
    DibHeaderFields header;
    size_t blockSize;
    bool found;
    int stride;
    size_t topRowOffset;
};

DibHeaderFields with(void (*change)(DibHeaderFields&)) {
    DibHeaderFields header = valid();
    change(header);
    return header;
}

class LocateAlphaPixels : public testing::TestWithParam<LayoutCase> {};

TEST_P(LocateAlphaPixels, FindsTheRowsOnlyInsideTheBlock) {
    const LayoutCase& c = GetParam();
    AlphaPixelRows rows = {};
    ASSERT_EQ(locateAlphaPixels(c.header, c.blockSize, &rows), c.found);
    if (!c.found) return;
    EXPECT_EQ(rows.width, c.header.width);
    EXPECT_EQ(rows.height, c.header.height < 0 ? -c.header.height : c.header.height);
    EXPECT_EQ(rows.stride, c.stride);
    EXPECT_EQ(rows.topRowOffset, c.topRowOffset);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, LocateAlphaPixels,
    testing::Values(
        LayoutCase{"BottomUpBitfields", valid(), Exact, true, -12, DibV5HeaderSize + 12},
        LayoutCase{"TopDown", with([](DibHeaderFields& h) { h.height = -2; }), Exact, true, 12,
                   DibV5HeaderSize},
        LayoutCase{"RgbWithAlphaMask", with([](DibHeaderFields& h) { h.compression = 0; }), Exact,
                   true, -12, DibV5HeaderSize + 12},
        LayoutCase{"AfterAColourTable", with([](DibHeaderFields& h) { h.colorsUsed = 2; }),
                   Exact + 8, true, -12, DibV5HeaderSize + 8 + 12},
        LayoutCase{"OneByteShort", valid(), Exact - 1, false, 0, 0},
        LayoutCase{"ColourTablePastTheBlock",
                   with([](DibHeaderFields& h) { h.colorsUsed = 0xFFFFFFFFu; }), Exact, false, 0,
                   0},
        LayoutCase{"HeaderPastTheBlock", with([](DibHeaderFields& h) { h.size = 0xFFFFFFF0u; }),
                   Exact, false, 0, 0},
        LayoutCase{"OldHeader", with([](DibHeaderFields& h) { h.size = 40; }), Exact, false, 0, 0},
        LayoutCase{"NoAlphaMask", with([](DibHeaderFields& h) { h.alphaMask = 0; }), Exact, false,
                   0, 0},
        LayoutCase{"SwappedColourMasks",
                   with([](DibHeaderFields& h) { h.redMask = 0xFFu, h.blueMask = 0xFF0000u; }),
                   Exact, false, 0, 0},
        LayoutCase{"TwentyFourBits", with([](DibHeaderFields& h) { h.bitCount = 24; }), Exact,
                   false, 0, 0},
        LayoutCase{"Compressed", with([](DibHeaderFields& h) { h.compression = 1; }), Exact, false,
                   0, 0},
        LayoutCase{"TwoPlanes", with([](DibHeaderFields& h) { h.planes = 2; }), Exact, false, 0, 0},
        LayoutCase{"NoWidth", with([](DibHeaderFields& h) { h.width = 0; }), Exact, false, 0, 0},
        LayoutCase{"NegativeWidth", with([](DibHeaderFields& h) { h.width = -3; }), Exact, false, 0,
                   0},
        LayoutCase{"NoHeight", with([](DibHeaderFields& h) { h.height = 0; }), Exact, false, 0, 0},
        LayoutCase{"LowestHeight", with([](DibHeaderFields& h) { h.height = INT32_MIN; }),
                   size_t(-1), false, 0, 0},
        LayoutCase{"HugeRows",
                   with([](DibHeaderFields& h) { h.width = INT_MAX / 4, h.height = INT_MAX; }),
                   size_t(UINT32_MAX), false, 0, 0},
        LayoutCase{"WidthPastAnIntStride",
                   with([](DibHeaderFields& h) { h.width = INT_MAX / 4 + 1; }), size_t(-1), false,
                   0, 0}),
    NamedAfterRow());

}  // namespace
