// The overlay's parts in this process: the brush on the picture, the
// picture's pair of sections, the gathering of marked areas.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "overlay/brush.h"
#include "overlay/overlay_paint.h"
#include "overlay/picture.h"
#include "stand_in_overlay.h"

namespace {

constexpr int Side = 64;
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF White = RGB(255, 255, 255);

// A black picture of 64x64 pixels, with a hidden window of this process as
// the overlay: the brush block at (0, 0) reaches 8 pixels beyond it.
class BrushAtTheEdge : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(overlay_.created());
        ASSERT_TRUE(overlay_.freezeWith([](int, int) { return Black; }));
    }

    const StandInOverlay overlay_{Side};
};

TEST_F(BrushAtTheEdge, SampleCountsPositionsOffTheOverlayAsWhiteChannels) {
    sampleBrushColour(0, 0);
    // 192 invalid reads at 255 each and 64 black pixels: 48960 / 256.
    EXPECT_EQ(snipState.sampleRed, 191);
    EXPECT_EQ(snipState.sampleGreen, 191);
    EXPECT_EQ(snipState.sampleBlue, 191);
    EXPECT_EQ(snipState.sampleThreshold, 512);
}

TEST_F(BrushAtTheEdge, RestoreBringsBackOnlyWhatTheBrushChanged) {
    // The sample starts as black with the tolerance 0.
    whitenBrushArea(0, 0);
    ASSERT_EQ(pictureColour(7, 7), White);
    // Rows the brush has not changed yet keep the picture on a restore: a
    // pixel set there stands for a freeze's own.
    const COLORREF own = RGB(1, 2, 3);
    setPictureColour(40, 50, own);
    restoreBrushArea(0, 0);
    restoreBrushArea(40, 50);
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
            const COLORREF expected = x == 40 && y == 50 ? own : Black;
            ASSERT_EQ(pictureColour(x, y), expected) << x << ", " << y;
        }
}

TEST_F(BrushAtTheEdge, WhiteningBeforeAnySampleWhitensOnlyBlack) {
    const COLORREF grey = RGB(128, 128, 128);
    for (int y = 20; y < 36; ++y)
        for (int x = 24; x < 32; ++x) setPictureColour(x, y, grey);

    whitenBrushArea(24, 28);  // columns 16-31, rows 20-35
    for (int y = 18; y < 38; ++y)
        for (int x = 14; x < 34; ++x) {
            const bool inBlock = x >= 16 && x < 32 && y >= 20 && y < 36;
            const bool isGrey = x >= 24 && x < 32 && y >= 20 && y < 36;
            const COLORREF expected = isGrey ? grey : inBlock ? White : Black;
            ASSERT_EQ(pictureColour(x, y), expected) << x << ", " << y;
        }
}

// A freeze of the same screen keeps the pair (its pages are in memory); one
// of another size gets a pair of that size, whose every pixel can be read.
TEST(Picture, KeepsThePairOfTheSameSizeAndReplacesOneOfAnother) {
    const StandInOverlay overlay{Side};
    const WindowDC screen(nullptr);
    ASSERT_TRUE(preparePicture(screen, Side, Side));
    const HBITMAP first = snipState.picture.bitmap;
    ASSERT_TRUE(preparePicture(screen, Side, Side));
    EXPECT_EQ(snipState.picture.bitmap, first);

    constexpr int Larger = 2 * Side;
    ASSERT_TRUE(preparePicture(screen, Larger, Side + 1));
    BITMAP made = {};
    ASSERT_EQ(GetObject(snipState.picture.bitmap, sizeof made, &made), int(sizeof made));
    EXPECT_EQ(made.bmWidth, Larger);
    EXPECT_EQ(std::abs(made.bmHeight), Side + 1);
    ASSERT_EQ(GetObject(snipState.snapshot.bitmap, sizeof made, &made), int(sizeof made));
    EXPECT_EQ(made.bmWidth, Larger);
    snipState.screenWidth = Larger;
    snipState.screenHeight = Side + 1;
    setPictureColour(Larger - 1, Side, White);
    EXPECT_EQ(pictureColour(Larger - 1, Side), White);
}

// The areas of one change, nested batches' included, are marked together
// when the outermost batch goes: exactly those areas, not the box around
// them.
TEST(RepaintBatch, MarksTheGatheredAreasOnlyWhenTheOutermostGoes) {
    const StandInOverlay overlay{Side};
    // Only a shown window keeps areas marked for its paint.
    ShowWindow(overlay.window(), SW_SHOWNOACTIVATE);
    ValidateRect(overlay.window(), nullptr);
    {
        const RepaintBatch change;
        {
            const RepaintBatch part;
            repaintOverlayArea({0, 0, 4, 4});
        }
        repaintOverlayArea({40, 40, 48, 48});
        EXPECT_FALSE(GetUpdateRect(overlay.window(), nullptr, FALSE));
    }
    const GdiObject marked(CreateRectRgn(0, 0, 0, 0));
    const HRGN region = static_cast<HRGN>(HGDIOBJ(marked));
    ASSERT_EQ(GetUpdateRgn(overlay.window(), region, FALSE), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(region, 3, 3));
    EXPECT_TRUE(PtInRegion(region, 40, 47));
    EXPECT_FALSE(PtInRegion(region, 20, 20));
    EXPECT_FALSE(PtInRegion(region, 4, 4));
}

}  // namespace
