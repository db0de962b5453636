// Grabnik on a Linux X desktop with a window manager, started as the run
// command starts it (the companion, the bridge and grabnik.exe under Wine),
// while a native window has the focus; keys and mouse come through XTest,
// the clipboard is read back through xclip. Run by scripts/desktop.sh,
// which prepares the display and the Wine prefix; skipped elsewhere.
// GoogleTest before X: the X headers define macros such as None and Bool.
#include <gtest/gtest.h>

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <regex>
#include <thread>

#include "x_session.h"

namespace {

const std::vector<std::string> Hotkeys = {"(ctrl+alt+S)", "(ctrl+alt+F)"};

::testing::AssertionResult showOverlay(XDesktop& desktop) {
    return showOverlayBy(desktop, [&] { desktop.pressKeys({XK_Control_L, XK_Alt_L, XK_s}); });
}

class Desktop : public testing::Test {
protected:
    void SetUp() override {
        if (desktopProgramFolder().empty())
            GTEST_SKIP() << "needs the desktop that scripts/desktop.sh prepares";
        ASSERT_NE(desktop.display(), nullptr);
        window = std::make_unique<PatternWindow>(desktop, 600, 400);
    }

    XDesktop desktop;
    std::unique_ptr<PatternWindow> window;
};

TEST_F(Desktop, HotkeyOverANativeWindowFreezesTheScreenAndEscapeClosesIt) {
    ASSERT_TRUE(window->hasFocus());
    Companion companion(Hotkeys);
    ASSERT_TRUE(showOverlay(desktop));

    // Frozen: the native window goes from under the overlay, its picture
    // stays. Wine puts the picture on the mapped window a moment later.
    const int x = window->screenX() + 20, y = window->screenY() + 30;
    window.reset();
    int differing = -1;
    for (int attempt = 0; attempt < 60 && differing != 0; ++attempt) {
        if (attempt) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        XImage* shown = XGetImage(desktop.display(), DefaultRootWindow(desktop.display()), x, y, 64,
                                  64, AllPlanes, ZPixmap);
        ASSERT_NE(shown, nullptr);
        differing = 0;
        for (int row = 0; row < 64; ++row)
            for (int column = 0; column < 64; ++column)
                differing += (XGetPixel(shown, column, row) & 0xFFFFFF) !=
                             PatternWindow::colourAt(20 + column, 30 + row);
        XDestroyImage(shown);
    }
    EXPECT_EQ(differing, 0);

    ASSERT_TRUE(desktop.waitOverlayFocus(3000));
    desktop.pressKeys({XK_Escape});
    EXPECT_TRUE(desktop.waitOverlay(false, 3000));
}

TEST_F(Desktop, AnotherWindowTakingTheFocusClosesTheOverlay) {
    Companion companion(Hotkeys);
    ASSERT_TRUE(showOverlay(desktop));
    ASSERT_TRUE(desktop.waitOverlayFocus(3000));
    window->takeFocus();
    EXPECT_TRUE(desktop.waitOverlay(false, 3000));
}

TEST_F(Desktop, DragPutsTheFramedPixelsAndTheFileHotkeyThePathOnTheXClipboard) {
    Companion companion(Hotkeys);
    ASSERT_TRUE(showOverlay(desktop));
    const int left = window->screenX() + 50, top = window->screenY() + 40;
    desktop.drag(left, top, left + 300, top + 200);
    ASSERT_TRUE(desktop.waitOverlay(false, 3000));

    const Picture snip = decodeBmp(clipboardWhenThere("image/bmp"));
    ASSERT_EQ(snip.width, 300);
    ASSERT_EQ(snip.height, 200);
    EXPECT_EQ(differingFromPattern(snip, 50, 40), 0);

    desktop.pressKeys({XK_Control_L, XK_Alt_L, XK_f});
    std::string path;
    for (int attempt = 0; attempt < 40 && !std::regex_search(path, std::regex("png$")); ++attempt)
        path = clipboardWhenThere("UTF8_STRING");
    ASSERT_TRUE(std::regex_match(path, std::regex(R"([A-Z]:\\.*\\tmpimg\d\d\.png)"))) << path;
    std::string file = commandOutput("winepath -u '" + path + "' 2>/dev/null");
    file = file.substr(0, file.find('\n'));
    EXPECT_EQ(commandOutput("head -c 8 '" + file + "'"), "\x89PNG\r\n\x1a\n") << file;
}

TEST_F(Desktop, PressCommandShowsTheOverlay) {
    Companion companion(Hotkeys);
    const std::string press = std::string(GRABNIK_COMPANION) + " --press selection";
    EXPECT_TRUE(showOverlayBy(desktop, [&] { commandOutput(press); }));
}

TEST_F(Desktop, HotkeysChosenInTheSetupDialogWorkFromANativeWindow) {
    Companion companion({});
    ASSERT_TRUE(desktop.waitFocusOn("Grabnik Hotkey Setup", 20000));
    // From Set, the first tab stop: Control and Alt with K for the
    // selection, Shift with L for the file hotkey; Enter presses Set.
    desktop.typeKeys({XK_Tab, XK_space, XK_Tab, XK_space, XK_Tab, XK_Tab, XK_Tab, XK_K, XK_Tab,
                      XK_Tab, XK_Tab, XK_space, XK_Tab, XK_Tab, XK_L, XK_Return});
    EXPECT_TRUE(showOverlayBy(desktop, [&] { desktop.pressKeys({XK_Control_L, XK_Alt_L, XK_k}); }));
    std::remove((desktopProgramFolder() + "/grabnik.lnk").c_str());
}

TEST_F(Desktop, EndingGrabnikEndsTheCompanionAndReleasesItsGrabs) {
    const unsigned ctrlAlt = ControlMask | Mod1Mask, withLocks = ctrlAlt | LockMask | Mod2Mask;
    Companion companion(Hotkeys);
    ASSERT_TRUE(showOverlay(desktop));
    ASSERT_TRUE(desktop.waitOverlayFocus(3000));
    desktop.pressKeys({XK_Escape});
    ASSERT_TRUE(desktop.waitOverlay(false, 3000));
    EXPECT_FALSE(desktop.canGrab(XK_s, ctrlAlt));
    EXPECT_FALSE(desktop.canGrab(XK_f, withLocks));

    // As a Windows user ends it: a close request to its windows.
    commandOutput("wine taskkill /im grabnik.exe 2>&1");
    EXPECT_EQ(companion.waitExit(10000), 0);
    EXPECT_TRUE(desktop.canGrab(XK_s, ctrlAlt));
    EXPECT_TRUE(desktop.canGrab(XK_f, withLocks));
}

}  // namespace
