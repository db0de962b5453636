// Snips on a display with two monitors: the primary 1024x768 at (0, 0) and a
// second 800x600 at (1024, 0); nothing shows x >= 1024, y >= 600. Run by
// the test command on such a display only (ctest label two_monitors).
//
// Every program starts with the pointer on the primary monitor: one started
// with the pointer on the second reads positions cut to that monitor's width
// until the pointer leaves it.
#include <gtest/gtest.h>

#include <string>

#include "overlay_session.h"
#include "setup_dialog_driver.h"
#include "shortcut_reader.h"
#include "support/named_rows.h"
#include "temp_folder.h"

using namespace e2e;

namespace {

constexpr RECT PrimaryMonitor = {0, 0, 1024, 768};
constexpr RECT VirtualScreen = {0, 0, 1824, 768};
constexpr POINT PrimaryMiddle = {512, 384};

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

class TwoMonitorSession : public OverlaySession {
protected:
    explicit TwoMonitorSession(std::vector<UniformBlock> blocks = {})
        : OverlaySession(std::move(blocks)) {}

    void SetUp() override {
        ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 2) << "needs the two-monitor display";
        moveMouse(PrimaryMiddle.x, PrimaryMiddle.y);
        ASSERT_NO_FATAL_FAILURE(beforeTheProgram());
        OverlaySession::SetUp();
    }

    // Runs with the pointer on the primary, before the program under test starts.
    virtual void beforeTheProgram() {}

    // The next case's programs start on the primary monitor too.
    void TearDown() override { moveMouse(PrimaryMiddle.x, PrimaryMiddle.y); }

    // Frozen, with the overlay over exactly `covered`.
    void freezeOver(const RECT& covered) {
        ASSERT_NO_FATAL_FAILURE(freeze());
        RECT shown = {};
        GetWindowRect(overlay_, &shown);
        ASSERT_TRUE(shown == covered) << "overlay at (" << shown.left << ", " << shown.top << ")-("
                                      << shown.right << ", " << shown.bottom << ")";
    }
};

struct MonitorDrag : NamedRow {
    const char* arguments;
    RECT covered;  // where the frozen overlay lies
    POINT from, to;
    RECT copied;  // the screen area whose frozen pixels the copy holds
};

class DragOnTwoMonitors : public TwoMonitorSession,
                          public testing::WithParamInterface<MonitorDrag> {
protected:
    std::unique_ptr<Grabnik> startProgram() override {
        return std::make_unique<Grabnik>(GetParam().arguments);
    }
};

TEST_P(DragOnTwoMonitors, CopiesExactlyTheFrozenPixels) {
    const MonitorDrag& d = GetParam();
    ASSERT_NO_FATAL_FAILURE(freezeOver(d.covered));
    userDrag(d.from.x, d.from.y, d.to.x, d.to.y);
    // The release may be where the overlay is not: it ends the drag all the same.
    ASSERT_TRUE(waitHidden());
    ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(d.copied));
}

INSTANTIATE_TEST_SUITE_P(
    Drags, DragOnTwoMonitors,
    testing::Values(MonitorDrag{"AllMonitorsAcrossTheBorder",
                                "/allmonitors (ctrl+alt+S) (ctrl+alt+F)",
                                VirtualScreen,
                                {900, 100},
                                {1200, 300},
                                {900, 100, 1200, 300}},
                    MonitorDrag{"AllMonitorsOnTheSecondMonitor",
                                "(ctrl+alt+S) (ctrl+alt+F) /ALLMONITORS",
                                VirtualScreen,
                                {1700, 550},
                                {1100, 50},
                                {1100, 50, 1700, 550}},
                    // Without the option the part beyond the primary is cut away.
                    MonitorDrag{"PrimaryOnlyCutAtItsEdge",
                                "(ctrl+alt+S) (ctrl+alt+F)",
                                PrimaryMonitor,
                                {900, 100},
                                {1200, 300},
                                {900, 100, 1024, 300}}),
    NamedAfterRow());

class AllMonitors : public TwoMonitorSession {
protected:
    explicit AllMonitors(std::vector<UniformBlock> blocks = {})
        : TwoMonitorSession(std::move(blocks)) {}

    std::unique_ptr<Grabnik> startProgram() override {
        return std::make_unique<Grabnik>("/allmonitors (ctrl+alt+S) (ctrl+alt+F)");
    }
};

TEST_F(AllMonitors, HeldFrameStandsOnBothMonitorsUntilEnterCopies) {
    const RECT selection = {900, 100, 1200, 300};
    ASSERT_NO_FATAL_FAILURE(freezeOver(VirtualScreen));
    pressKey(VK_SPACE);
    userDrag(selection);
    // The outermost ring inverted, its four corners inverted twice.
    auto framed = [&](int x, int y) {
        const uint32_t colour = background_.colourAt(x, y);
        const bool edgeColumn = x == selection.left || x == selection.right - 1;
        const bool edgeRow = y == selection.top || y == selection.bottom - 1;
        return PtInRect(&selection, {x, y}) && edgeColumn != edgeRow ? inverted(colour) : colour;
    };
    ASSERT_EQ(waitForScreen(framed, {850, 50, 1250, 350}), "");
    savePicture("overlay-two-monitors");
    pressKey(VK_RETURN);
    ASSERT_TRUE(waitHidden());
    ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(selection));
}

constexpr uint32_t White = RGB(255, 255, 255);
constexpr uint32_t ColourA = RGB(100, 100, 100);
constexpr uint32_t ColourB = RGB(104, 100, 100);
constexpr uint32_t ColourC = RGB(100, 99, 100);  // beyond the tolerance of A and B

// On the second monitor: left half A, right half B, crossed by one row of C.
// The brush block at SamplePoint holds A and B only, the one at WhitenPoint
// all three.
constexpr POINT SamplePoint = {1332, 316};
constexpr POINT WhitenPoint = {1332, 340};
constexpr RECT BrushArea = {1290, 290, 1380, 380};

class BrushOnTheSecondMonitor : public AllMonitors {
protected:
    BrushOnTheSecondMonitor()
        : AllMonitors({{{1300, 300, 1332, 364}, ColourA},
                       {{1332, 300, 1364, 364}, ColourB},
                       {{1300, 340, 1364, 341}, ColourC}}) {}

    void press(DWORD flags) {
        input([&] { mouseButton(flags); });
    }

    std::string waitForBrushArea(bool whitened) {
        return waitForScreen(
            [&](int x, int y) {
                const uint32_t colour = background_.colourAt(x, y);
                const bool inBlock = x >= WhitenPoint.x - 8 && x < WhitenPoint.x + 8 &&
                                     y >= WhitenPoint.y - 8 && y < WhitenPoint.y + 8;
                return whitened && inBlock && (colour == ColourA || colour == ColourB) ? White
                                                                                       : colour;
            },
            BrushArea);
    }
};

TEST_F(BrushOnTheSecondMonitor, SamplesWhitensAndRestores) {
    ASSERT_NO_FATAL_FAILURE(freezeOver(VirtualScreen));
    press(MOUSEEVENTF_RIGHTDOWN);
    press(MOUSEEVENTF_RIGHTUP);
    placeCursor(SamplePoint.x, SamplePoint.y);
    press(MOUSEEVENTF_LEFTDOWN);
    // A press may be followed by a move of the platform's own, which whitens
    // the sampled block: the middle button restores it.
    press(MOUSEEVENTF_MIDDLEDOWN);
    press(MOUSEEVENTF_MIDDLEUP);
    ASSERT_EQ(waitForBrushArea(false), "");

    placeCursor(WhitenPoint.x, WhitenPoint.y);
    EXPECT_EQ(waitForBrushArea(true), "") << "A and B white, C kept, in the block only";
    press(MOUSEEVENTF_LEFTUP);
    press(MOUSEEVENTF_MIDDLEDOWN);
    press(MOUSEEVENTF_MIDDLEUP);
    EXPECT_EQ(waitForBrushArea(false), "") << "restored from the frozen screen";
}

// A setup in a program started with the option writes it into the launcher
// shortcut; the program that the shortcut starts snips across both monitors.
class LaunchedFromAnAllMonitorsSetup : public TwoMonitorSession {
protected:
    void beforeTheProgram() override {
        ASSERT_TRUE(folder_.created());
        const std::string executable = folder_.copyGrabnik("grabnik.exe");
        ASSERT_FALSE(executable.empty());
        {
            Grabnik setup("/allmonitors", executable);
            HWND dialog = waitForSetupDialog(setup.pid());
            ASSERT_NE(dialog, nullptr);
            ASSERT_TRUE(completeSetup(
                setup, dialog,
                {makeHotkeyCode(MOD_CONTROL | MOD_ALT, 'K'), makeHotkeyCode(MOD_SHIFT, 'L')}));
            shortcut_ = readShortcut(folder_.pathOf("grabnik.lnk"));
            ASSERT_TRUE(isLauncher(shortcut_, executable, "/allmonitors (ctrl+alt+K) (shift+L)"));
        }
        selectionHotkey_ = {MOD_CONTROL | MOD_ALT, 'K'};
    }

    std::unique_ptr<Grabnik> startProgram() override {
        return std::make_unique<Grabnik>(shortcut_.arguments, shortcut_.target);
    }

    TempFolder folder_{"monitors"};
    ShortcutContent shortcut_;
};

TEST_F(LaunchedFromAnAllMonitorsSetup, SnipsAcrossBothMonitors) {
    ASSERT_NO_FATAL_FAILURE(freezeOver(VirtualScreen));
    const RECT acrossTheBorder = {1000, 200, 1100, 260};
    userDrag(acrossTheBorder);
    ASSERT_TRUE(waitHidden());
    ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(acrossTheBorder));
}

}  // namespace
