// Grabnik on a Linux X desktop with a window manager, started as the run
// command starts it (the companion, the bridge and grabnik.exe under Wine),
// while a native window has the focus; keys and mouse come through XTest,
// the clipboard is read back through xclip. Run by scripts/desktop.sh,
// which prepares the display and the Wine prefix; skipped elsewhere.
// GoogleTest before X: the X headers define macros such as None and Bool.
#include <gtest/gtest.h>

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <utility>

#include "support/clock.h"
#include "x_session.h"

namespace {

const std::vector<std::string> Hotkeys = {"(ctrl+alt+S)", "(ctrl+alt+F)"};

::testing::AssertionResult showOverlayBy(XDesktop& desktop, const std::function<void()>& press) {
    if (desktop.pressUntilOverlay(press)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no overlay after 20 presses";
}

::testing::AssertionResult showOverlay(XDesktop& desktop) {
    return showOverlayBy(desktop, [&] { desktop.pressKeys({XK_Control_L, XK_Alt_L, XK_s}); });
}

// From Set, the first tab stop of the setup dialog: Control and Alt with K
// for the selection, Shift with L for the file hotkey; Enter presses Set.
void chooseCtrlAltKAndShiftL(XDesktop& desktop) {
    desktop.typeKeys({XK_Tab, XK_space, XK_Tab, XK_space, XK_Tab, XK_Tab, XK_Tab, XK_K, XK_Tab,
                      XK_Tab, XK_Tab, XK_space, XK_Tab, XK_Tab, XK_L, XK_Return});
}

const unsigned CtrlAlt = ControlMask | Mod1Mask, CtrlAltWithLocks = CtrlAlt | LockMask | Mod2Mask;

// Ends the shown overlay with a short drag, which needs no keyboard focus:
// a later overlay of the same run does not always get it.
bool endSnipWithTheMouse(XDesktop& desktop) {
    desktop.drag(200, 200, 260, 240);
    return desktop.waitOverlay(false, 3000);
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

// The `grabnik` command that scripts/install.sh installs, named by
// GRABNIK_INSTALLED_COMMAND: tests/desktop/install_test.sh installs it into
// a scratch home and runs these cases; skipped elsewhere.
class Installed : public Desktop {
protected:
    void SetUp() override {
        const char* installed = std::getenv("GRABNIK_INSTALLED_COMMAND");
        if (!installed) GTEST_SKIP() << "run by tests/desktop/install_test.sh";
        command = installed;
        Desktop::SetUp();
    }

    std::string command;
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
    waitUntil(
        [&] { return (differing = unlikePattern(desktop.screenArea(x, y, 64, 64), 20, 30)) == 0; },
        3000, 50);
    EXPECT_EQ(differing, 0) << "-1: the screen could not be read";

    EXPECT_TRUE(desktop.closeOverlay());
}

TEST_F(Desktop, AnotherWindowTakingTheFocusClosesTheOverlay) {
    Companion companion(Hotkeys);
    ASSERT_TRUE(showOverlay(desktop));
    ASSERT_TRUE(desktop.waitOverlayFocus(3000));
    window->takeFocus();
    EXPECT_TRUE(desktop.waitOverlay(false, 3000));
}

// The file hotkey's path on the X clipboard, and the same file by its Unix
// path.
struct SavedPath {
    std::string windows;
    std::string unix;
};

// Presses the file hotkey until its path is on the X clipboard: a press
// before Grabnik has registered its hotkeys is lost. Once a save is done,
// a further press finds no image and changes nothing.
SavedPath pressFileHotkeyUntilSaved(XDesktop& desktop) {
    SavedPath path;
    for (int press = 0; press < 20 && !std::regex_search(path.windows, std::regex("png$"));
         ++press) {
        desktop.pressKeys({XK_Control_L, XK_Alt_L, XK_f});
        waitUntil(
            [&] {
                path.windows =
                    commandOutput("xclip -selection clipboard -o -t UTF8_STRING 2>/dev/null");
                return std::regex_search(path.windows, std::regex("png$"));
            },
            1000, 50);
    }
    path.unix = commandOutput("winepath -u '" + path.windows + "' 2>/dev/null");
    path.unix = path.unix.substr(0, path.unix.find('\n'));
    return path;
}

TEST_F(Desktop, DragPutsTheFramedPixelsAndTheFileHotkeyThePathOnTheXClipboard) {
    Companion companion(Hotkeys);
    ASSERT_TRUE(showOverlay(desktop));
    const int left = window->screenX() + 50, top = window->screenY() + 40;
    desktop.drag(left, top, left + 300, top + 200);
    ASSERT_TRUE(desktop.waitOverlay(false, 3000));

    // As an image editor (BMP) and a browser (PNG) take it.
    for (const auto& read :
         {std::make_pair("image/bmp", decodeBmp), std::make_pair("image/png", decodePng)}) {
        SCOPED_TRACE(read.first);
        const Picture snip = read.second(clipboardWhen(read.first, nonEmpty));
        ASSERT_EQ(snip.width, 300);
        ASSERT_EQ(snip.height, 200);
        EXPECT_EQ(unlikePattern(snip, 50, 40), 0);
    }

    const SavedPath path = pressFileHotkeyUntilSaved(desktop);
    ASSERT_TRUE(std::regex_match(path.windows, std::regex(R"([A-Z]:\\.*\\tmpimg\d\d\.png)")))
        << path.windows;
    EXPECT_EQ(fileBytes(path.unix).substr(0, 8), "\x89PNG\r\n\x1a\n") << path.unix;
    // As a file manager takes it: the same file, by its Unix path.
    EXPECT_EQ(uriListFile(clipboardWhen("text/uri-list", nonEmpty)), path.unix);
}

// What a browser's or image viewer's copied picture is on the X clipboard.
TEST_F(Desktop, TheFileHotkeySavesAnXClipboardPngAsGiven) {
    Companion companion(Hotkeys);
    Picture picture;
    picture.width = 40;
    picture.height = 30;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back(PatternWindow::colourAt(x, y));
    const std::string png = encodePng(picture);
    ASSERT_FALSE(png.empty());
    const std::string source = testing::TempDir() + "copied.png";
    std::ofstream(source, std::ios::binary) << png;
    // xclip serves the picture from the background until another program
    // takes the clipboard; its output is not this test's to wait for.
    commandOutput("xclip -selection clipboard -t image/png -i '" + source + "' >/dev/null 2>&1");
    ASSERT_EQ(clipboardWhen("image/png", nonEmpty), png);

    const SavedPath path = pressFileHotkeyUntilSaved(desktop);
    EXPECT_EQ(fileBytes(path.unix), png) << path.unix;
    std::remove(source.c_str());
}

TEST_F(Desktop, ASecondCompanionIsRefusedAndThePressCommandStillWorks) {
    Companion companion(Hotkeys);
    const std::string press = std::string(GRABNIK_COMPANION) + " --press selection";
    ASSERT_TRUE(showOverlayBy(desktop, [&] { commandOutput(press); }));
    ASSERT_TRUE(endSnipWithTheMouse(desktop));

    Companion second(Hotkeys);
    EXPECT_EQ(second.waitExit(10000), 1);
    EXPECT_TRUE(second.waitErrors("Grabnik already runs on this display", 0));
    EXPECT_TRUE(showOverlayBy(desktop, [&] { commandOutput(press); }));
}

TEST_F(Desktop, HotkeysChosenInTheSetupDialogWorkFromANativeWindow) {
    Companion companion(std::vector<std::string>{});
    ASSERT_TRUE(desktop.waitFocusOn("Grabnik Hotkey Setup", 20000));
    chooseCtrlAltKAndShiftL(desktop);
    EXPECT_TRUE(showOverlayBy(desktop, [&] { desktop.pressKeys({XK_Control_L, XK_Alt_L, XK_k}); }));
    std::remove((desktopProgramFolder() + "/grabnik.lnk").c_str());
}

TEST_F(Desktop, EndingGrabnikEndsTheCompanionAndReleasesItsGrabs) {
    Companion companion(Hotkeys);
    ASSERT_TRUE(showOverlay(desktop));
    ASSERT_TRUE(desktop.closeOverlay());
    EXPECT_FALSE(desktop.canGrab(XK_s, CtrlAlt));
    EXPECT_FALSE(desktop.canGrab(XK_f, CtrlAltWithLocks));

    // As a Windows user ends it: a close request to its windows.
    commandOutput("wine taskkill /im grabnik.exe 2>&1");
    EXPECT_EQ(companion.waitExit(10000), 0);
    EXPECT_TRUE(desktop.canGrab(XK_s, CtrlAlt));
    EXPECT_TRUE(desktop.canGrab(XK_f, CtrlAltWithLocks));
}

TEST_F(Desktop, AHotkeyStillWorksAfterTheBridgeWasKilled) {
    Companion companion(Hotkeys);
    ASSERT_TRUE(showOverlay(desktop));
    ASSERT_TRUE(endSnipWithTheMouse(desktop));
    ASSERT_EQ(
        commandOutput("wine taskkill /f /im grabnik-bridge.exe >/dev/null 2>&1 && echo killed"),
        "killed\n");
    EXPECT_TRUE(companion.waitErrors("the bridge has ended; it is started again", 10000));
    EXPECT_TRUE(showOverlay(desktop));
}

TEST_F(Desktop, ABridgeThatCannotRunGivesTheHotkeysBack) {
    // Grabnik in a folder of its own without the bridge: the bridge ends at
    // once, and again once started again.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("grabnik-no-bridge-" + std::to_string(getpid()));
    std::filesystem::create_directory(folder);
    std::filesystem::create_symlink(desktopProgramFolder() + "/grabnik.exe",
                                    folder / "grabnik.exe");
    {
        Companion companion(
            CommandLine{{GRABNIK_COMPANION, folder.string(), Hotkeys[0], Hotkeys[1]}});
        EXPECT_TRUE(companion.waitErrors(
            "the bridge ended again at once; both hotkeys are given back", 20000));
        EXPECT_TRUE(desktop.canGrab(XK_s, CtrlAlt));
        EXPECT_TRUE(desktop.canGrab(XK_f, CtrlAltWithLocks));
        // Grabnik runs on, and with it the companion.
        EXPECT_EQ(companion.waitExit(0), -1);
    }
    std::filesystem::remove_all(folder);
}

TEST_F(Desktop, TheHotkeysLetterIsCaughtInEveryLayoutGroup) {
    // "a" types "q" in the other layout; "s" would be the same key in both.
    KeyboardLayouts layouts(desktop, "fr,us");
    Companion companion({"(ctrl+alt+A)", "(ctrl+alt+F)"});
    const auto snipByCtrlAltA = [&] {
        return showOverlayBy(desktop,
                             [&] {
                                 desktop.pressKeys({XK_Control_L, XK_Alt_L, XK_a});
                             }) &&
               endSnipWithTheMouse(desktop);
    };
    ASSERT_TRUE(snipByCtrlAltA());

    // The second group, US: its "a" key, and the French "a" key is left to
    // the other programs, for its "q".
    desktop.lockGroup(1);
    EXPECT_TRUE(snipByCtrlAltA());
    EXPECT_TRUE(desktop.canGrab(XK_q, CtrlAlt));

    // Other layouts while it runs: French alone.
    layouts.change("fr");
    EXPECT_TRUE(snipByCtrlAltA());
    EXPECT_TRUE(desktop.canGrab(XK_q, CtrlAlt));
}

TEST_F(Installed, FirstStartAsksForTheHotkeysLaterStartsUseThemOrTheOnesGiven) {
    // Each run ends with its overlay shown, as the end of a session ends it.
    const auto pressCtrlAltK = [&] { desktop.pressKeys({XK_Control_L, XK_Alt_L, XK_k}); };
    {
        Companion first(CommandLine{{command}});
        ASSERT_TRUE(desktop.waitFocusOn("Grabnik Hotkey Setup", 30000));
        chooseCtrlAltKAndShiftL(desktop);
        ASSERT_TRUE(showOverlayBy(desktop, pressCtrlAltK));
    }
    ASSERT_TRUE(desktop.waitOverlay(false, 3000));
    {
        // No dialog: the hotkeys of the setup work at once.
        Companion again(CommandLine{{command}});
        EXPECT_TRUE(showOverlayBy(desktop, pressCtrlAltK));
    }
    ASSERT_TRUE(desktop.waitOverlay(false, 3000));
    Companion given(CommandLine{{command, Hotkeys[0], Hotkeys[1]}});
    EXPECT_TRUE(showOverlay(desktop));
}

}  // namespace
