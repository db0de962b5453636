// The whitening brush on the frozen screen, driven with the mouse: sample,
// whiten, restore with the middle button or Shift, the whitening in the next
// copy and in a re-captured picture, brush mode across snips.
#include <gtest/gtest.h>

#include "overlay_session.h"

using namespace e2e;

namespace {

constexpr uint32_t White = RGB(255, 255, 255);
constexpr uint32_t ColourA = RGB(100, 100, 100);
constexpr uint32_t ColourB = RGB(104, 100, 100);
constexpr uint32_t ColourC = RGB(100, 99, 100);  // squared distance 5 from the mean of A and B

// Left half A, right half B, crossed by one row of C.
const std::vector<UniformBlock> SplitBlock = {
    {{600, 300, 632, 364}, ColourA},
    {{632, 300, 664, 364}, ColourB},
    {{600, 340, 664, 341}, ColourC},
};

// The brush block at (632, 316) is 8 columns of A and 8 of B without C: the
// sample is (102, 100, 100) with the tolerance 4.
const POINT SamplePoint = {632, 316};
// The block at (632, 340), columns 624-639 and rows 332-347, holds A, B and
// the row of C.
const POINT WhitenPoint = {632, 340};

bool inBlockAt(POINT cursor, int x, int y) {
    return x >= cursor.x - 8 && x < cursor.x + 8 && y >= cursor.y - 8 && y < cursor.y + 8;
}

class Brush : public OverlaySession {
protected:
    Brush() : OverlaySession(SplitBlock) {}

    // The background with A and B turned white in the block at WhitenPoint.
    uint32_t whitened(int x, int y) const {
        const uint32_t colour = background_.colourAt(x, y);
        return inBlockAt(WhitenPoint, x, y) && (colour == ColourA || colour == ColourB) ? White
                                                                                        : colour;
    }

    void click(DWORD down, DWORD up) {
        input([&] { mouseButton(down); });
        input([&] { mouseButton(up); });
    }

    void toggleBrushMode() { click(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }

    // Samples at SamplePoint and leaves the left button held there. Some
    // platforms follow a press with a move of their own, which whitens the
    // sampled block: a middle click restores it before the test goes on.
    void sampleAndHold() {
        placeCursor(SamplePoint.x, SamplePoint.y);
        input([] { mouseButton(MOUSEEVENTF_LEFTDOWN); });
        click(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
        ASSERT_EQ(waitForBackground(), "");
    }

    void whitenAtWhitenPoint() {
        ASSERT_NO_FATAL_FAILURE(sampleAndHold());
        placeCursor(WhitenPoint.x, WhitenPoint.y);
        ASSERT_EQ(waitForScreen([&](int x, int y) { return whitened(x, y); }), "");
        input([] { mouseButton(MOUSEEVENTF_LEFTUP); });
    }

    HCURSOR shownCursor() const {
        CURSORINFO info = {};
        info.cbSize = sizeof info;
        GetCursorInfo(&info);
        return info.hCursor;
    }
};

TEST_F(Brush, WhitensExactlyTheColoursWithinTheToleranceAndRestores) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    toggleBrushMode();
    // A, B, but not C, in the whitened block only.
    ASSERT_NO_FATAL_FAILURE(whitenAtWhitenPoint());
    savePicture("overlay-whitened");
    EXPECT_TRUE(IsWindowVisible(overlay_)) << "releasing the button never ends a brush snip";

    click(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    EXPECT_EQ(waitForBackground(), "") << "a middle press restores the block exactly";

    ASSERT_NO_FATAL_FAILURE(whitenAtWhitenPoint());
    placeCursor(700, 500);
    input([] { keyDown(VK_SHIFT); });
    placeCursor(WhitenPoint.x, WhitenPoint.y);
    input([] { keyUp(VK_SHIFT); });
    EXPECT_EQ(waitForBackground(), "") << "a move with Shift restores the block exactly";
}

TEST_F(Brush, WhiteningIsPartOfTheNextCopy) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    toggleBrushMode();
    ASSERT_NO_FATAL_FAILURE(whitenAtWhitenPoint());
    toggleBrushMode();
    // Around the whole split block and the whitened square.
    const RECT area = {590, 290, 680, 380};
    userDrag(area);
    ASSERT_TRUE(waitHidden());
    ASSERT_NO_FATAL_FAILURE(expectCopy(area.left, area.top, area.right - area.left,
                                       area.bottom - area.top,
                                       [&](int x, int y) { return whitened(x, y); }));
}

TEST_F(Brush, LeftButtonAndShiftInOneMoveLeaveTheSnapshot) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    toggleBrushMode();
    ASSERT_NO_FATAL_FAILURE(sampleAndHold());
    input([] { keyDown(VK_SHIFT); });
    placeCursor(WhitenPoint.x, WhitenPoint.y);  // whitens, then restores
    input([] { keyUp(VK_SHIFT); });
    input([] { mouseButton(MOUSEEVENTF_LEFTUP); });
    EXPECT_EQ(waitForBackground(), "");
}

TEST_F(Brush, HotkeyWhileShownFreezesTheWhitening) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    toggleBrushMode();
    ASSERT_NO_FATAL_FAILURE(whitenAtWhitenPoint());
    pressHotkey(MOD_CONTROL | MOD_ALT, 'S');
    waitHandled();
    // The new snapshot holds the white pixels: restoring keeps them.
    click(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    settle();
    EXPECT_EQ(waitForScreen([&](int x, int y) { return whitened(x, y); }), "");
}

TEST_F(Brush, ModeAndCursorSurviveTheEndOfASnip) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    // The program's cursor handles mean nothing in this process: compare
    // them with each other.
    HCURSOR crosshair = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (crosshair = shownCursor()) != nullptr; }));
    toggleBrushMode();
    HCURSOR brushCursor = nullptr;
    EXPECT_TRUE(waitUntil([&] {
        return (brushCursor = shownCursor()) != crosshair && brushCursor;
    })) << "the right button switches to the brush cursor";
    pressKey(VK_ESCAPE);
    ASSERT_TRUE(waitHidden());

    ASSERT_NO_FATAL_FAILURE(freeze());
    EXPECT_TRUE(waitUntil([&] { return shownCursor() == brushCursor; }));
    // In brush mode a click samples and the overlay stays; in selection mode
    // it would end the snip.
    userClick(300, 200);
    settle();
    EXPECT_TRUE(IsWindowVisible(overlay_));
    expectClipboardUntouched();
    toggleBrushMode();
    EXPECT_TRUE(waitUntil([&] { return shownCursor() == crosshair; }));
}

}  // namespace
