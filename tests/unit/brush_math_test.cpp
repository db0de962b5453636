#include "overlay/brush_math_logic.h"
#include "support/named_rows.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr uint32_t rgb(int r, int g, int b) {
    return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16;
}
constexpr uint32_t OutsideDisplay = 0xFFFFFFFF;

using Block = uint32_t[BrushBlockPixels];

struct SampleCase : NamedRow {
    std::function<uint32_t(int column, int row)> colourAt;  // within the block
    BrushSample expected;
};

class SampleBrushBlock : public testing::TestWithParam<SampleCase> {};

TEST_P(SampleBrushBlock, GivesTheMeanAndTolerance) {
    Block block;
    for (int row = 0; row < BrushBlockSide; ++row)
        for (int column = 0; column < BrushBlockSide; ++column)
            block[row * BrushBlockSide + column] = GetParam().colourAt(column, row);
    const BrushSample sample = sampleBrushBlock(block);
    const BrushSample& expected = GetParam().expected;
    EXPECT_EQ(sample.red, expected.red);
    EXPECT_EQ(sample.green, expected.green);
    EXPECT_EQ(sample.blue, expected.blue);
    EXPECT_EQ(sample.threshold, expected.threshold);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, SampleBrushBlock,
    testing::Values(
        SampleCase{"Uniform", [](int, int) { return rgb(30, 60, 90); }, {30, 60, 90, 0}},
        SampleCase{
            "AllWhiteGivesBlackAndTheCap", [](int, int) { return PureWhite; }, {0, 0, 0, 512}},
        // White stays out of the mean but not out of the tolerance.
        SampleCase{"OneWhitePixel",
                   [](int column, int row) {
                       return column == 5 && row == 9 ? PureWhite : rgb(10, 10, 10);
                   },
                   {10, 10, 10, 512}},
        SampleCase{
            "HalvesOf100And104",
            [](int column, int) { return column < 8 ? rgb(100, 100, 100) : rgb(104, 100, 100); },
            {102, 100, 100, 4}},
        SampleCase{"MeanIsTruncated",
                   [](int, int row) { return row % 2 ? rgb(1, 0, 0) : rgb(0, 0, 0); },
                   {0, 0, 0, 1}},
        // Cursor at (0, 0) over black: only the bottom-right quarter of the
        // block lies on the display; the rest reads as the invalid colour.
        SampleCase{"EdgeOfTheDisplay",
                   [](int column, int row) {
                       return column >= 8 && row >= 8 ? rgb(0, 0, 0) : OutsideDisplay;
                   },
                   {191, 191, 191, 512}},
        // Red is the low byte, blue the high one.
        SampleCase{"ChannelOrder", [](int, int) { return 0x00030201u; }, {1, 2, 3, 0}}),
    NamedAfterRow());

struct WithinCase : NamedRow {
    BrushSample sample;
    uint32_t colour;
    int distance;
    bool whitened;
};

class IsWithinSample : public testing::TestWithParam<WithinCase> {};

TEST_P(IsWithinSample, ComparesTheSquaredDistanceInclusively) {
    EXPECT_EQ(colourDistance(GetParam().colour, GetParam().sample), GetParam().distance);
    EXPECT_EQ(isWithinSample(GetParam().colour, GetParam().sample), GetParam().whitened);
}

constexpr BrushSample AllWhiteSample = {0, 0, 0, 512};
constexpr BrushSample SplitSample = {102, 100, 100, 4};

INSTANTIATE_TEST_SUITE_P(
    Colours, IsWithinSample,
    testing::Values(
        WithinCase{"BelowTheTolerance", AllWhiteSample, rgb(13, 13, 13), 507, true},
        WithinCase{"ExactlyAtTheTolerance", AllWhiteSample, rgb(16, 16, 0), 512, true},
        WithinCase{"JustBeyondTheTolerance", AllWhiteSample, rgb(14, 14, 14), 588, false},
        WithinCase{"OffTheDisplay", AllWhiteSample, OutsideDisplay, 3 * 255 * 255, false},
        WithinCase{"LowerHalfOfASplitBlock", SplitSample, rgb(100, 100, 100), 4, true},
        WithinCase{"UpperHalfOfASplitBlock", SplitSample, rgb(104, 100, 100), 4, true},
        WithinCase{"OneStepOutsideASplitBlock", SplitSample, rgb(100, 99, 100), 5, false},
        WithinCase{"ChannelsSwappedWithZeroTolerance", {1, 2, 3, 0}, rgb(3, 2, 1), 8, false}),
    NamedAfterRow());

}  // namespace
