// The selection on the frozen screen, driven as a user would: drags, Enter,
// Escape, Alt+F4, Space, the hotkey again, another program coming to the
// front.
// Every copied and every shown pixel is checked against the background.
#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <memory>

#include "overlay_session.h"
#include "support/named_rows.h"

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
        userDrag(r);
        ASSERT_EQ(waitForFrame(r), "") << "the held frame";
        EXPECT_TRUE(IsWindowVisible(overlay_));
    }

    // Freezes, turns holding on with Space and drags Selection: its frame stays.
    void freezeAndHoldSelection() {
        ASSERT_NO_FATAL_FAILURE(freeze());
        pressKey(VK_SPACE);
        ASSERT_NO_FATAL_FAILURE(holdDrag(Selection));
    }
};

struct Drag : NamedRow {
    int fromX, fromY, toX, toY;
};

class DragCopies : public Selecting, public testing::WithParamInterface<Drag> {};

TEST_P(DragCopies, ExactlyTheFramedPixelsAndHides) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    const Drag d = GetParam();
    userDrag(d.fromX, d.fromY, d.toX, d.toY);
    ASSERT_TRUE(waitHidden());
    // From screen pixel (10, 10) to (109, 59), without the frame.
    ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(Selection));
}

// Each from one corner of Selection to the opposite one.
INSTANTIATE_TEST_SUITE_P(
    EveryDirection, DragCopies,
    testing::Values(
        Drag{"DownRight", Selection.left, Selection.top, Selection.right, Selection.bottom},
        Drag{"UpLeft", Selection.right, Selection.bottom, Selection.left, Selection.top},
        Drag{"DownLeft", Selection.right, Selection.top, Selection.left, Selection.bottom},
        Drag{"UpRight", Selection.left, Selection.bottom, Selection.right, Selection.top}),
    NamedAfterRow());

enum class NoSelection { Click, EnterAlone, ZeroWidthDrag, ZeroHeightDrag };

struct NoSelectionCase : NamedRow {
    NoSelection input;
};

class CopiesNothing : public Selecting, public testing::WithParamInterface<NoSelectionCase> {};

TEST_P(CopiesNothing, AndHides) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    switch (GetParam().input) {
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

INSTANTIATE_TEST_SUITE_P(
    Inputs, CopiesNothing,
    testing::Values(NoSelectionCase{"Click", NoSelection::Click},
                    NoSelectionCase{"EnterAlone", NoSelection::EnterAlone},
                    NoSelectionCase{"ZeroWidthDrag", NoSelection::ZeroWidthDrag},
                    NoSelectionCase{"ZeroHeightDrag", NoSelection::ZeroHeightDrag}),
    NamedAfterRow());

// Narrow frames while the button is held at (300, 200) and the cursor is at
// (toX, 260): which pixels show inverted.
struct NarrowFrame : NamedRow {
    int toX;
    bool (*inverted)(int x, int y);
};

class NarrowFrames : public Selecting, public testing::WithParamInterface<NarrowFrame> {};

TEST_P(NarrowFrames, InvertOnlyTheirOddEdges) {
    ASSERT_NO_FATAL_FAILURE(freeze());
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
    ASSERT_NO_FATAL_FAILURE(freezeAndHoldSelection());
    pressKey(VK_ESCAPE);
    ASSERT_TRUE(waitHidden());
    expectClipboardUntouched();
}

// A full-screen picture invites Alt+F4: it ends the snip, not Grabnik.
TEST_F(Selecting, AltF4HidesWithoutCopyingAndTheHotkeysWorkOn) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    pressKey(VK_SPACE);
    ASSERT_NO_FATAL_FAILURE(holdDrag(Selection));
    pressHotkey(MOD_ALT, VK_F4);
    ASSERT_TRUE(waitHidden());
    DWORD exitCode = 0;
    ASSERT_FALSE(grabnik_->waitExit(&exitCode, 500)) << "Grabnik ended with " << exitCode;
    expectClipboardUntouched();

    ASSERT_NO_FATAL_FAILURE(freeze());
    pressKey(VK_SPACE);  // hold off again
    userDrag(Selection);
    ASSERT_TRUE(waitHidden());
    ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(Selection));
}

// The PNG is made only on request; Grabnik ended before anyone asked makes
// it on its way out. Read while this Wine process still runs.
TEST_F(Selecting, ThePngOfASnipOutlivesGrabnikEndedByClose) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    userDrag(Selection);
    ASSERT_TRUE(waitHidden());
    // Without opening the clipboard, which would render the PNG now.
    ASSERT_TRUE(waitUntil([] { return clipboardHasFormat(RegisterClipboardFormatA("PNG")); }));
    DWORD exitCode = 1;
    ASSERT_TRUE(grabnik_->close(&exitCode));
    EXPECT_EQ(exitCode, 0u);
    ASSERT_NO_FATAL_FAILURE(
        expectPngCopy(Selection.left, Selection.top, Selection.right - Selection.left,
                      Selection.bottom - Selection.top,
                      [&](int x, int y) { return background_.colourAt(x, y); }));
}

TEST_F(Selecting, HeldFrameStaysUntilEnterCopiesIt) {
    ASSERT_NO_FATAL_FAILURE(freezeAndHoldSelection());
    savePicture("overlay-selection");
    expectClipboardUntouched();
    pressKey(VK_RETURN);
    ASSERT_TRUE(waitHidden());
    ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(Selection));
}

TEST_F(Selecting, NewPressErasesTheHeldFrame) {
    ASSERT_NO_FATAL_FAILURE(freezeAndHoldSelection());
    const RECT second = {60, 40, 200, 150};  // overlaps the first
    ASSERT_NO_FATAL_FAILURE(holdDrag(second));
    pressKey(VK_RETURN);
    ASSERT_TRUE(waitHidden());
    ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(second));
}

class SpaceKeyDowns : public Selecting, public testing::WithParamInterface<int> {};

TEST_P(SpaceKeyDowns, ToggleHoldOncePerKeyDown) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    // Auto-repeat: several key-downs before the one key-up.
    for (int i = 0; i < GetParam(); ++i) keyDown(VK_SPACE);
    keyUp(VK_SPACE);
    userDrag(Selection);
    if (GetParam() % 2) {
        EXPECT_EQ(waitForFrame(Selection), "");
        EXPECT_TRUE(IsWindowVisible(overlay_));
        expectClipboardUntouched();
    } else {
        ASSERT_TRUE(waitHidden());
        ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(Selection));
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, SpaceKeyDowns, testing::Values(2, 3),
                         [](const testing::TestParamInfo<int>& keyDowns) {
                             return std::to_string(keyDowns.param) + "KeyDowns";
                         });

TEST_F(Selecting, HotkeyWhileShownKeepsTheHeldSelection) {
    ASSERT_NO_FATAL_FAILURE(freezeAndHoldSelection());
    pressHotkey(MOD_CONTROL | MOD_ALT, 'S');
    // Frozen again with the frame still drawn over the picture; the overlay stays.
    settle();
    ASSERT_EQ(waitForFrame(Selection), "");
    ASSERT_TRUE(IsWindowVisible(overlay_));
    // The corners survived: Enter copies the picture, without the frame.
    pressKey(VK_RETURN);
    ASSERT_TRUE(waitHidden());
    ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(Selection));
}

TEST_F(Selecting, HoldModeOutlivesTheSnip) {
    ASSERT_NO_FATAL_FAILURE(freezeAndHoldSelection());
    pressKey(VK_RETURN);
    ASSERT_TRUE(waitHidden());

    ASSERT_TRUE(setClipboardText(ClipboardSentinel));
    ASSERT_NO_FATAL_FAILURE(freeze());
    ASSERT_NO_FATAL_FAILURE(holdDrag(Selection));
    expectClipboardUntouched();
}

TEST_F(Selecting, DeactivationHidesAndTheNextSnipIsClean) {
    ASSERT_NO_FATAL_FAILURE(freezeAndHoldSelection());
    background_.activate();
    ASSERT_TRUE(waitHidden());
    expectClipboardUntouched();

    ASSERT_NO_FATAL_FAILURE(freeze());
    pressKey(VK_SPACE);  // hold off again
    // The first press must not invert the earlier frame into this picture.
    const RECT second = {5, 5, 150, 100};
    userDrag(second);
    ASSERT_TRUE(waitHidden());
    ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(second));
}

}  // namespace

namespace {

// A key pressed with modifiers held, as a user would.
void pressWith(std::initializer_list<UINT> modifiers, UINT key) {
    for (UINT modifier : modifiers) keyDown(modifier);
    pressKey(key);
    for (UINT modifier : modifiers) keyUp(modifier);
}

POINT cursorNow() {
    POINT cursor;
    GetCursorPos(&cursor);
    return cursor;
}

}  // namespace

TEST_F(Selecting, ArrowKeysMoveThePointerByOneOrTenPixels) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    placeCursor(200, 200);
    const struct {
        std::initializer_list<UINT> modifiers;
        UINT key;
        int x, y;
    } steps[] = {{{}, VK_RIGHT, 201, 200}, {{}, VK_DOWN, 201, 201},
                 {{VK_SHIFT}, VK_LEFT, 191, 201}, {{VK_SHIFT}, VK_UP, 191, 191}};
    for (const auto& step : steps) {
        input([&] { pressWith(step.modifiers, step.key); });
        EXPECT_EQ(cursorNow().x, step.x);
        EXPECT_EQ(cursorNow().y, step.y);
    }
}

TEST_F(Selecting, ADragFinishedWithTheArrowKeysCopiesExactly) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    placeCursor(Selection.left, Selection.top);
    input([] { mouseButton(MOUSEEVENTF_LEFTDOWN); });
    placeCursor(Selection.right - 12, Selection.bottom - 1);
    input([] { pressWith({VK_SHIFT}, VK_RIGHT); });
    input([] { pressKey(VK_RIGHT); });
    input([] { pressKey(VK_RIGHT); });
    input([] { pressKey(VK_DOWN); });
    input([] { pressKey(VK_RETURN); });
    ASSERT_TRUE(waitHidden());
    ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(Selection));
    input([] { mouseButton(MOUSEEVENTF_LEFTUP); });
}

TEST_F(Selecting, AHeldFrameResizedAndMovedByKeysCopiesTheMovedRectangle) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    pressKey(VK_SPACE);
    ASSERT_NO_FATAL_FAILURE(holdDrag(Selection));
    // The moving corner: 11 right, 1 up; then the whole frame 10 down, 1 left.
    input([] { pressWith({VK_SHIFT}, VK_RIGHT); });
    input([] { pressKey(VK_RIGHT); });
    input([] { pressKey(VK_UP); });
    input([] { pressWith({VK_CONTROL, VK_SHIFT}, VK_DOWN); });
    input([] { pressWith({VK_CONTROL}, VK_LEFT); });
    const RECT moved = {Selection.left - 1, Selection.top + 10, Selection.right + 10,
                        Selection.bottom + 9};
    ASSERT_EQ(waitForFrame(moved), "") << "the adjusted frame";
    pressKey(VK_RETURN);
    ASSERT_TRUE(waitHidden());
    ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(moved));
    pressKey(VK_SPACE);  // hold mode off again for the process's next snips
}

TEST_F(Selecting, TheMagnifierShowsBesideThePointerButIsNeverCopied) {
    // Until the overlay's pixels reach the screen, it shows the frozen
    // screen alone: a difference may come late, never go.
    const auto magnifierShows = [&] {
        const RECT besidePointer = {300, 300, 500, 500};
        return waitUntil([&] {
            return waitForScreen([&](int x, int y) { return background_.colourAt(x, y); },
                                 besidePointer, 0) != "";
        });
    };
    ASSERT_NO_FATAL_FAILURE(freeze());
    placeCursor(300, 300);
    input([] { pressKey('Z'); });
    EXPECT_TRUE(magnifierShows()) << "no magnifier beside the pointer";
    userDrag(Selection);
    ASSERT_TRUE(waitHidden());
    ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(Selection));

    // The next snip's overlay shows the magnifier at once, until Z.
    placeCursor(300, 300);
    pressHotkey(selectionHotkey_.modifiers, selectionHotkey_.key);
    ASSERT_TRUE(waitVisible(overlay_, true) && waitInFront());
    EXPECT_TRUE(magnifierShows()) << "the magnifier is off in the next snip";
    input([] { pressKey('Z'); });
    EXPECT_EQ(waitForBackground(), "") << "the magnifier stayed";
    pressKey(VK_ESCAPE);
    ASSERT_TRUE(waitHidden());
}

TEST_F(Selecting, TabFramesTheWindowUnderThePointerThenItsControl) {
    // A window of the test's own in front of the background, a control in
    // it, and the pointer over the control.
    const RECT window = {200, 150, 520, 390};
    const RECT control = {240, 180, 340, 230};
    const std::unique_ptr<HWND__, decltype(&DestroyWindow)> framed(
        CreateWindowExA(WS_EX_NOACTIVATE, "STATIC", nullptr, WS_POPUP, window.left, window.top,
                        window.right - window.left, window.bottom - window.top, nullptr, nullptr,
                        nullptr, nullptr),
        &DestroyWindow);
    ASSERT_TRUE(framed);
    ASSERT_TRUE(CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE,
                                control.left - window.left, control.top - window.top,
                                control.right - control.left, control.bottom - control.top,
                                framed.get(), nullptr, nullptr, nullptr));
    SetWindowPos(framed.get(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    UpdateWindow(framed.get());
    // Its pixels reach the screen while this thread answers its messages.
    MSG message;
    for (int i = 0; i < 20; ++i, Sleep(10))
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);

    // One Tab frames the window; a second at the same place, the control.
    const RECT framedByTabs[] = {window, control};
    for (int tabs = 1; tabs <= 2; ++tabs) {
        const RECT& expected = framedByTabs[tabs - 1];
        SCOPED_TRACE(testing::Message() << tabs << " Tab");
        const Image before = captureScreen();
        ASSERT_NO_FATAL_FAILURE(freeze());
        placeCursor(260, 200);
        for (int tab = 0; tab < tabs; ++tab) input([] { pressKey(VK_TAB); });
        pressKey(VK_RETURN);
        ASSERT_TRUE(waitHidden());
        ASSERT_NO_FATAL_FAILURE(expectCopy(expected.left, expected.top,
                                           expected.right - expected.left,
                                           expected.bottom - expected.top,
                                           [&](int x, int y) { return before.at(x, y); }));
    }
}

TEST_F(Selecting, CCopiesTheColourUnderThePointerAsText) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    placeCursor(123, 45);
    pressKey('C');
    ASSERT_TRUE(waitHidden());
    const uint32_t colour = background_.colourAt(123, 45);
    char expected[8];
    std::snprintf(expected, sizeof expected, "#%02X%02X%02X", unsigned(colour & 0xFF),
                  unsigned((colour >> 8) & 0xFF), unsigned((colour >> 16) & 0xFF));
    EXPECT_EQ(clipboardText(), expected);
}
