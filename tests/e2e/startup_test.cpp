// Start-up and shutdown of the real program: hotkeys from the command line,
// the hidden overlay, the setup dialog when hotkeys are missing, exit codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.h"
#include "support/named_rows.h"
#include "temp_folder.h"

using namespace e2e;

namespace {

constexpr DWORD ExitHotkeysFailed = DWORD(-4);
constexpr UINT CtrlAlt = MOD_CONTROL | MOD_ALT;

// The program shows this error, and once it is dismissed exits with -4.
void expectErrorThenExit(Grabnik& grabnik, const char* text) {
    HWND box = waitForMessageBox(grabnik.pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(messageBoxText(box), text);
    dismissMessageBox(box);
    DWORD exitCode = 0;
    ASSERT_TRUE(grabnik.waitExit(&exitCode));
    EXPECT_EQ(exitCode, ExitHotkeysFailed);
}

// An argument text, named for what it shows.
struct ArgumentText : NamedRow {
    const char* text;
};

class StartsWithHotkeys : public testing::TestWithParam<ArgumentText> {};

TEST_P(StartsWithHotkeys, RegistersBothAndShowsNothing) {
    ASSERT_FALSE(hotkeyIsTaken(makeHotkeyCode(CtrlAlt, 'S')));
    Grabnik grabnik(GetParam().text);
    ASSERT_TRUE(grabnik.waitReady());

    EXPECT_TRUE(hotkeyIsTaken(makeHotkeyCode(CtrlAlt, 'S')));
    EXPECT_TRUE(hotkeyIsTaken(makeHotkeyCode(CtrlAlt, 'F')));
    EXPECT_TRUE(visibleWindowsOf(grabnik.pid()).empty());
    EXPECT_EQ(findWindowOf(grabnik.pid(), "#32770", nullptr), nullptr) << "no dialog, no box";

    DWORD exitCode = 1;
    ASSERT_TRUE(grabnik.close(&exitCode));
    EXPECT_EQ(exitCode, 0u);
    // Shutdown gave both combinations back.
    EXPECT_FALSE(hotkeyIsTaken(makeHotkeyCode(CtrlAlt, 'S')));
    EXPECT_FALSE(hotkeyIsTaken(makeHotkeyCode(CtrlAlt, 'F')));
}

INSTANTIATE_TEST_SUITE_P(
    ArgumentTexts, StartsWithHotkeys,
    testing::Values(ArgumentText{"TwoPairs", "(ctrl+alt+S) (ctrl+alt+F)"},
                    ArgumentText{"PairsWithoutBlank", "(ctrl+alt+S)(ctrl+alt+F)"},
                    ArgumentText{"WordsAroundThePairs", "go (ctrl+alt+S) then (ctrl+alt+F) thanks"},
                    ArgumentText{"KeyFirstAndAThirdPair", "(S+ALT+Ctrl) (alt+ctrl+F) (shift+X)"}),
    NamedAfterRow());

TEST(Startup, OverlayIsAHiddenTopmostToolWindowCoveringTheScreen) {
    Grabnik grabnik("(ctrl+alt+S) (ctrl+alt+F)");
    ASSERT_TRUE(grabnik.waitReady());
    HWND overlay = grabnik.overlay();
    ASSERT_NE(overlay, nullptr);
    EXPECT_FALSE(IsWindowVisible(overlay));
    EXPECT_EQ(GetWindowLongA(overlay, GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_BORDER),
              LONG(WS_POPUP));
    EXPECT_EQ(GetWindowLongA(overlay, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST),
              WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    RECT rect;
    GetWindowRect(overlay, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(GetClassLongPtrA(overlay, GCLP_HBRBACKGROUND), 0u) << "erasing must paint nothing";
    EXPECT_EQ(GetClassLongPtrA(overlay, GCLP_HCURSOR), 0u) << "the overlay sets its own cursor";
}

TEST(Startup, SameCombinationTwiceIsRefused) {
    Grabnik grabnik("(ctrl+alt+S) (ctrl+alt+S)");
    ASSERT_NO_FATAL_FAILURE(
        expectErrorThenExit(grabnik, "Failed to register the specified hotkey"));
    EXPECT_EQ(findWindowOf(grabnik.pid(), "#32770", "Grabnik Hotkey Setup"), nullptr);
}

TEST(Startup, CombinationHeldByAnotherProgramIsRefused) {
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, CtrlAlt, 'F'));
    Grabnik grabnik("(ctrl+alt+S) (ctrl+alt+F)");
    ASSERT_NO_FATAL_FAILURE(
        expectErrorThenExit(grabnik, "Failed to register the specified hotkey"));
    UnregisterHotKey(nullptr, 1);
}

class StartsWithoutHotkeys : public testing::TestWithParam<ArgumentText> {};

TEST_P(StartsWithoutHotkeys, ShowsTheSetupDialogAndExitsWhenItIsClosed) {
    Grabnik grabnik(GetParam().text);
    HWND dialog = waitForWindowOf(grabnik.pid(), "#32770", "Grabnik Hotkey Setup");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(waitVisible(dialog, true));
    EXPECT_FALSE(hotkeyIsTaken(makeHotkeyCode(CtrlAlt, 'S')))
        << "a hotkey of an incomplete pair is not kept";

    PostMessageA(dialog, WM_CLOSE, 0, 0);
    ASSERT_NO_FATAL_FAILURE(
        expectErrorThenExit(grabnik, "Failed to register hot keys. Press OK to exit"));
}

INSTANTIATE_TEST_SUITE_P(ArgumentTexts, StartsWithoutHotkeys,
                         testing::Values(ArgumentText{"NoArguments", ""},
                                         ArgumentText{"NoBrackets", "ctrl+alt+S ctrl+alt+F"},
                                         ArgumentText{"OnePair", "(ctrl+alt+S)"},
                                         ArgumentText{"FirstPairEmpty", "() (ctrl+alt+F)"},
                                         ArgumentText{"FirstPairUnknownKey", "(F1) (ctrl+alt+F)"},
                                         ArgumentText{"SecondPairUnclosed",
                                                      "(ctrl+alt+S) (ctrl+alt+F"}),
                         NamedAfterRow());

TEST(Startup, WritesNothingBesideTheExecutable) {
    TempFolder folder("startup");
    const std::string copy = folder.copyGrabnik("grabnik.exe");
    ASSERT_FALSE(copy.empty());
    {
        Grabnik grabnik("(ctrl+alt+S) (ctrl+alt+F)", copy);
        ASSERT_TRUE(grabnik.waitReady());
        DWORD exitCode = 1;
        ASSERT_TRUE(grabnik.close(&exitCode));
        EXPECT_EQ(exitCode, 0u);
    }
    EXPECT_EQ(folder.files(), std::vector<std::string>{"grabnik.exe"});
}

}  // namespace
