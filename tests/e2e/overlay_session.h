// A test case with the driver's own background on the screen and the real
// program started (by default with the hotkeys ctrl+alt+S and ctrl+alt+F), a
// sentinel text on the clipboard, and helpers to freeze, wait for the screen
// and read copies.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "background.h"
#include "driver.h"
#include "image_file.h"

namespace e2e {

constexpr const char* ClipboardSentinel = "sentinel before the snip";

class OverlaySession : public testing::Test {
protected:
    explicit OverlaySession(std::vector<UniformBlock> blocks = {})
        : background_(std::move(blocks)) {}

    void SetUp() override {
        ASSERT_TRUE(background_.waitShown()) << "the driver's background never showed";
        grabnik_ = startProgram();
        ASSERT_TRUE(grabnik_->waitReady());
        overlay_ = grabnik_->overlay();
        ASSERT_TRUE(setClipboardText(ClipboardSentinel));
    }

    // A case that needs the program started otherwise (another executable,
    // environment or hotkeys) says so here; `freeze` presses
    // `selectionHotkey_`.
    virtual std::unique_ptr<Grabnik> startProgram() {
        return std::make_unique<Grabnik>("(ctrl+alt+S) (ctrl+alt+F)");
    }

    // Presses the selection hotkey and waits until the overlay is shown in
    // front of everything and the screen looks as it did. Under Xvfb the
    // screen may keep its old pixels while an overlay that never got its
    // picture stays undrawn: the copies, read from the overlay, are the
    // proof that it holds the frozen screen.
    void freeze() {
        const Image before = captureScreen();
        pressHotkey(selectionHotkey_.modifiers, selectionHotkey_.key);
        ASSERT_TRUE(waitVisible(overlay_, true)) << "the overlay did not show";
        POINT middle = {before.width / 2, before.height / 2};
        ASSERT_TRUE(waitUntil([&] { return WindowFromPoint(middle) == overlay_; }));
        ASSERT_TRUE(waitInFront()) << "the overlay did not come to the front";
        waitHandled();
        ASSERT_EQ(waitForScreen([&](int x, int y) { return before.at(x, y); }), "")
            << "the overlay does not show the frozen screen";
    }

    // Waits until the screen's area shows the expected pixels; returns the
    // last difference, empty when they came.
    template <typename Expected>
    std::string waitForScreen(Expected expected, RECT area = {0, 0, 0, 0}, DWORD timeoutMs = 3000) {
        if (IsRectEmpty(&area))
            SetRect(&area, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        std::string difference;
        waitUntil(
            [&] {
                const Image image = captureScreen(area.left, area.top, area.right - area.left,
                                                  area.bottom - area.top);
                difference = mismatches(image, area.left, area.top, expected);
                return difference.empty();
            },
            timeoutMs);
        return difference;
    }

    std::string waitForBackground() {
        return waitForScreen([&](int x, int y) { return background_.colourAt(x, y); });
    }

    bool waitHidden() { return waitVisible(overlay_, false); }
    // The last step of a freeze: from here on keys reach the overlay.
    bool waitInFront() {
        return waitUntil([&] { return GetForegroundWindow() == overlay_; });
    }

    // Waits until the program has handled every input sent so far. Two
    // round trips through its queue: the input that was queued before the
    // first is handled before the second returns.
    void waitHandled() {
        for (int i = 0; i < 2; ++i)
            SendMessageTimeoutA(overlay_, WM_NULL, 0, 0, SMTO_NORMAL, 2000, nullptr);
    }

    // One input, handled; then a moment for the display's own pointer events
    // that a move causes to come back through the program.
    void input(const std::function<void()>& send) {
        send();
        waitHandled();
        Sleep(30);
    }

    // Moves the mouse there and makes sure that the display's own pointer is
    // there too: a program that asks for the cursor a while after the last
    // move may be told where the display's pointer is.
    void placeCursor(int x, int y) {
        POINT cursor = {-1, -1};
        for (int attempt = 0; attempt < 5 && (cursor.x != x || cursor.y != y); ++attempt) {
            input([&] {
                moveMouse(x, y);
                SetCursorPos(x, y);
            });
            GetCursorPos(&cursor);
        }
    }

    void userDrag(int fromX, int fromY, int toX, int toY, int steps = 3) {
        placeCursor(fromX, fromY);
        input([] { mouseButton(MOUSEEVENTF_LEFTDOWN); });
        for (int i = 1; i <= steps; ++i)
            placeCursor(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
        input([] { mouseButton(MOUSEEVENTF_LEFTUP); });
    }

    // From the area's top-left corner to its bottom-right one.
    void userDrag(const RECT& area) { userDrag(area.left, area.top, area.right, area.bottom); }

    void userClick(int x, int y) {
        placeCursor(x, y);
        input([] { mouseButton(MOUSEEVENTF_LEFTDOWN); });
        input([] { mouseButton(MOUSEEVENTF_LEFTUP); });
    }

    // The clipboard still holds the sentinel and no bitmap.
    void expectClipboardUntouched() {
        EXPECT_EQ(clipboardText(), ClipboardSentinel);
        EXPECT_FALSE(clipboardHasFormat(CF_BITMAP));
    }

    // The copied bitmap: `width` by `height`, each pixel as `expected` gives
    // it for the screen position (left + x, top + y); and beside it the PNG
    // of the same pixels, after which the bitmap is still the same.
    template <typename Expected>
    void expectCopy(int left, int top, int width, int height, Expected expected) {
        Image copy;
        ASSERT_TRUE(waitUntil([&] { return clipboardBitmap(copy); }))
            << "no bitmap on the clipboard";
        ASSERT_EQ(copy.width, width);
        ASSERT_EQ(copy.height, height);
        EXPECT_EQ(mismatches(copy, left, top, expected), "");
        ASSERT_NO_FATAL_FAILURE(expectPngCopy(left, top, width, height, expected));
        Image afterPng;
        ASSERT_TRUE(clipboardBitmap(afterPng));
        EXPECT_EQ(afterPng.pixels, copy.pixels);
    }

    // The clipboard's "PNG", rendered on request: as expectCopy's bitmap,
    // every pixel fully opaque.
    template <typename Expected>
    void expectPngCopy(int left, int top, int width, int height, Expected expected) {
        Image png;
        ASSERT_TRUE(decodeImageBytes(clipboardPng(), png, true)) << "no PNG on the clipboard";
        ASSERT_EQ(png.width, width);
        ASSERT_EQ(png.height, height);
        EXPECT_EQ(
            mismatches(png, left, top, [&](int x, int y) { return expected(x, y) | 0xFF000000u; }),
            "");
    }

    void expectCopyOfBackground(int left, int top, int width, int height) {
        ASSERT_NO_FATAL_FAILURE(expectCopy(
            left, top, width, height, [&](int x, int y) { return background_.colourAt(x, y); }));
    }

    // The copy of exactly the area a drag from corner to corner frames.
    void expectCopyOfBackground(const RECT& area) {
        ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(area.left, area.top, area.right - area.left,
                                                       area.bottom - area.top));
    }

    // The image file holds exactly the background's pixels in `area`, as a
    // snip of that area saved by the file hotkey.
    void expectFileOfBackground(const std::string& path, const RECT& area) {
        Image saved;
        ASSERT_TRUE(decodeImageFile(path, saved)) << path;
        ASSERT_EQ(saved.width, area.right - area.left);
        ASSERT_EQ(saved.height, area.bottom - area.top);
        EXPECT_EQ(mismatches(saved, area.left, area.top,
                             [&](int x, int y) { return background_.colourAt(x, y); }),
                  "");
    }

    struct Hotkey {
        UINT modifiers;
        UINT key;
    };
    Hotkey selectionHotkey_ = {MOD_CONTROL | MOD_ALT, 'S'};
    Background background_;
    std::unique_ptr<Grabnik> grabnik_;
    HWND overlay_ = nullptr;
};

}  // namespace e2e
