// The overlay's brush against real windows, in this process.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "overlay/brush.h"
#include "overlay/snapshot.h"
#include "stand_in_overlay.h"

namespace {

constexpr int Side = 64;

// A shown window of 64x64 pixels at the top-left corner of the screen as the
// overlay: the brush block at (0, 0) reaches 8 pixels beyond it.
class BrushAtTheEdge : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(overlay_.created());
        ShowWindow(window_, SW_SHOWNORMAL);
        UpdateWindow(window_);
        const RECT all = {0, 0, Side, Side};
        FillRect(WindowDC(window_), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        ASSERT_TRUE(overlay_.freezePattern());
    }

    COLORREF shown(int x, int y) const { return GetPixel(WindowDC(window_), x, y); }

    const StandInOverlay overlay_{Side};
    const HWND window_ = overlay_.window();
};

TEST_F(BrushAtTheEdge, SampleCountsPositionsOffTheOverlayAsWhiteChannels) {
    sampleBrushColour(0, 0);
    // 192 invalid reads at 255 each and 64 black pixels: 48960 / 256.
    EXPECT_EQ(snipState.sampleRed, 191);
    EXPECT_EQ(snipState.sampleGreen, 191);
    EXPECT_EQ(snipState.sampleBlue, 191);
    EXPECT_EQ(snipState.sampleThreshold, 512);
}

TEST_F(BrushAtTheEdge, RestoreCopiesOnlyTheOnScreenPartOfTheBlock) {
    restoreBrushArea(0, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const COLORREF expected =
                x < 8 && y < 8 ? StandInOverlay::frozenAt(x, y) : RGB(0, 0, 0);
            ASSERT_EQ(shown(x, y), expected) << x << ", " << y;
        }
}

TEST_F(BrushAtTheEdge, WhiteningBeforeAnySampleWhitensOnlyBlack) {
    // The sample starts as black with the tolerance 0.
    const RECT grey = {24, 20, 32, 36};
    HDC dc = GetDC(window_);
    FillRect(dc, &grey, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    ReleaseDC(window_, dc);
    const COLORREF greyColour = shown(24, 20);
    ASSERT_NE(greyColour, RGB(0, 0, 0));

    whitenBrushArea(24, 28);  // columns 16-31, rows 20-35
    for (int y = 18; y < 38; ++y)
        for (int x = 14; x < 34; ++x) {
            const bool inBlock = x >= 16 && x < 32 && y >= 20 && y < 36;
            const bool isGrey = x >= 24 && x < 32 && y >= 20 && y < 36;
            const COLORREF expected = isGrey    ? greyColour
                                      : inBlock ? RGB(255, 255, 255)
                                                : RGB(0, 0, 0);
            ASSERT_EQ(shown(x, y), expected) << x << ", " << y;
        }
}

}  // namespace
