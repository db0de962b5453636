// The selection on the frozen screen, driven as a user would: drags, Enter,
// Escape, Space, the hotkey again, another program coming to the front.
// Every copied and every shown pixel is checked against the background.
#include <gtest/gtest.h>

#include <ostream>

#include "case_names.h"
#include "overlay_session.h"

using namespace e2e;

namespace {

const RECT Selection = {10, 10, 110, 60};

// The screen with the frame of `r` drawn: its outermost ring inverted, the
// four corner pixels (each inverted twice) unchanged.
bool onFrame(const RECT& r, int x, int y) {
    if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) return false;
    const bool edgeColumn = x == r.left || x == r.right - 1;
    const bool edgeRow = y == r.top || y == r.bottom - 1;
    return edgeColumn != edgeRow;
}

class Selecting : public OverlaySession {
protected:
    uint32_t framed(const RECT& r, int x, int y) const {
        const uint32_t colour = background_.colourAt(x, y);
        return onFrame(r, x, y) ? inverted(colour) : colour;
    }

    std::string waitForFrame(const RECT& r) {
        return waitForScreen([&](int x, int y) { return framed(r, x, y); });
    }

    void holdDrag(const RECT& r) {
        userDrag(r.left, r.top, r.right, r.bottom);
        ASSERT_EQ(waitForFrame(r), "") << "the held frame";
        EXPECT_TRUE(IsWindowVisible(overlay_));
    }
};

struct Drag {
    int fromX, fromY, toX, toY;
};

class DragCopies : public Selecting, public testing::WithParamInterface<Drag> {};

TEST_P(DragCopies, ExactlyTheFramedPixelsAndHides) {
    freeze();
    const Drag d = GetParam();
    userDrag(d.fromX, d.fromY, d.toX, d.toY);
    ASSERT_TRUE(waitHidden());
    // 100x50 from screen pixel (10, 10) to (109, 59), without the frame.
    expectCopyOfBackground(10, 10, 100, 50);
}

INSTANTIATE_TEST_SUITE_P(EveryDirection, DragCopies,
                         testing::Values(Drag{10, 10, 110, 60}, Drag{110, 60, 10, 10},
                                         Drag{110, 10, 10, 60}, Drag{10, 60, 110, 10}));

enum class NoSelection { Click, EnterAlone, ZeroWidthDrag, ZeroHeightDrag };

class CopiesNothing : public Selecting, public testing::WithParamInterface<NoSelection> {};

TEST_P(CopiesNothing, AndHides) {
    freeze();
    switch (GetParam()) {
    case NoSelection::Click:
        userClick(300, 200);
        break;
    case NoSelection::EnterAlone:
        pressKey(VK_RETURN);
        break;
    case NoSelection::ZeroWidthDrag:
        userDrag(300, 200, 300, 260);
        break;
    case NoSelection::ZeroHeightDrag:
        userDrag(300, 200, 360, 200);
        break;
    }
    ASSERT_TRUE(waitHidden());
    expectClipboardUntouched();
}

INSTANTIATE_TEST_SUITE_P(Inputs, CopiesNothing,
                         testing::Values(NoSelection::Click, NoSelection::EnterAlone,
                                         NoSelection::ZeroWidthDrag, NoSelection::ZeroHeightDrag));

// Narrow frames while the button is held at (300, 200) and the cursor is at
// (toX, 260): which pixels show inverted.
struct NarrowFrame {
    const char* name;
    int toX;
    bool (*inverted)(int x, int y);
};

std::ostream& operator<<(std::ostream& out, const NarrowFrame& f) { return out << f.name; }

class NarrowFrames : public Selecting, public testing::WithParamInterface<NarrowFrame> {};

TEST_P(NarrowFrames, InvertOnlyTheirOddEdges) {
    freeze();
    placeCursor(300, 200);
    input([] { mouseButton(MOUSEEVENTF_LEFTDOWN); });
    placeCursor(GetParam().toX, 260);
    EXPECT_EQ(waitForScreen([&](int x, int y) {
                  const uint32_t colour = background_.colourAt(x, y);
                  return GetParam().inverted(x, y) ? inverted(colour) : colour;
              }),
              "");
    input([] { mouseButton(MOUSEEVENTF_LEFTUP); });
    ASSERT_TRUE(waitHidden());
}

INSTANTIATE_TEST_SUITE_P(
    Widths, NarrowFrames,
    testing::Values(
        // Zero width: the left edge at column 300 and the right one at 299.
        NarrowFrame{"ZeroWidth", 300,
                    [](int x, int y) { return (x == 299 || x == 300) && y >= 200 && y < 260; }},
        // Width 1: left and right cover one column and cancel out.
        NarrowFrame{"WidthOne", 301,
                    [](int x, int y) { return x == 300 && (y == 200 || y == 259); }}),
    NamedAfterRow());

TEST_F(Selecting, EscapeHidesWithoutTouchingTheClipboard) {
    freeze();
    pressKey(VK_SPACE);
    holdDrag(Selection);
    pressKey(VK_ESCAPE);
    ASSERT_TRUE(waitHidden());
    expectClipboardUntouched();
}

TEST_F(Selecting, HeldFrameStaysUntilEnterCopiesIt) {
    freeze();
    pressKey(VK_SPACE);
    holdDrag(Selection);
    savePicture("overlay-selection");
    expectClipboardUntouched();
    pressKey(VK_RETURN);
    ASSERT_TRUE(waitHidden());
    expectCopyOfBackground(10, 10, 100, 50);
}

TEST_F(Selecting, NewPressErasesTheHeldFrame) {
    freeze();
    pressKey(VK_SPACE);
    holdDrag(Selection);
    const RECT second = {60, 40, 200, 150};  // overlaps the first
    holdDrag(second);
    pressKey(VK_RETURN);
    ASSERT_TRUE(waitHidden());
    expectCopyOfBackground(60, 40, 140, 110);
}

class SpaceKeyDowns : public Selecting, public testing::WithParamInterface<int> {};

TEST_P(SpaceKeyDowns, ToggleHoldOncePerKeyDown) {
    freeze();
    // Auto-repeat: several key-downs before the one key-up.
    for (int i = 0; i < GetParam(); ++i) keyDown(VK_SPACE);
    keyUp(VK_SPACE);
    userDrag(Selection.left, Selection.top, Selection.right, Selection.bottom);
    if (GetParam() % 2) {
        EXPECT_EQ(waitForFrame(Selection), "");
        EXPECT_TRUE(IsWindowVisible(overlay_));
        expectClipboardUntouched();
    } else {
        ASSERT_TRUE(waitHidden());
        expectCopyOfBackground(10, 10, 100, 50);
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, SpaceKeyDowns, testing::Values(2, 3));

TEST_F(Selecting, HotkeyWhileShownKeepsSelectionAndHold) {
    freeze();
    pressKey(VK_SPACE);
    holdDrag(Selection);
    pressHotkey(MOD_CONTROL | MOD_ALT, 'S');
    // Re-captured with the frame in it; the overlay stays.
    settle();
    ASSERT_EQ(waitForFrame(Selection), "");
    ASSERT_TRUE(IsWindowVisible(overlay_));
    // The corners survived: Enter inverts the frame back and copies.
    pressKey(VK_RETURN);
    ASSERT_TRUE(waitHidden());
    expectCopyOfBackground(10, 10, 100, 50);

    // Hold mode survived the snip as well.
    ASSERT_TRUE(setClipboardText(ClipboardSentinel));
    freeze();
    holdDrag(Selection);
    expectClipboardUntouched();
}

TEST_F(Selecting, DeactivationHidesAndTheNextSnipIsClean) {
    freeze();
    pressKey(VK_SPACE);
    holdDrag(Selection);
    background_.activate();
    ASSERT_TRUE(waitHidden());
    expectClipboardUntouched();

    freeze();
    pressKey(VK_SPACE);  // hold off again
    // The first press must not invert the earlier frame into this picture.
    userDrag(5, 5, 150, 100);
    ASSERT_TRUE(waitHidden());
    expectCopyOfBackground(5, 5, 145, 95);
}

TEST_F(Selecting, ClipboardHeldByAnotherProgramKeepsItsContents) {
    freeze();
    ASSERT_TRUE(OpenClipboard(nullptr));
    userDrag(Selection.left, Selection.top, Selection.right, Selection.bottom);
    const bool hidden = waitHidden();
    CloseClipboard();
    EXPECT_TRUE(hidden) << "the snip ends all the same";
    expectClipboardUntouched();
}

}  // namespace
