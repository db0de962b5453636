// A successful setup, end to end: the dialog ends, the program runs on with
// both new hotkeys, and the launcher shortcut beside the executable starts it
// again without the dialog. Each case runs its own copy of grabnik.exe in a
// folder of its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.h"
#include "setup_dialog_driver.h"
#include "shortcut_reader.h"
#include "support/named_rows.h"
#include "temp_folder.h"

using namespace e2e;

namespace {

constexpr HotkeyCode CtrlAltK = makeHotkeyCode(MOD_CONTROL | MOD_ALT, 'K');
constexpr HotkeyCode ShiftL = makeHotkeyCode(MOD_SHIFT, 'L');

bool bothTaken() { return hotkeyIsTaken(CtrlAltK) && hotkeyIsTaken(ShiftL); }

TEST(LauncherShortcut, ACorrectedSetWritesALauncherThatKeepsTheOptionAndNeedsNoDialog) {
    TempFolder folder("setup");
    ASSERT_TRUE(folder.created());
    const std::string executable = folder.copyGrabnik("grabnik.exe");
    ASSERT_FALSE(executable.empty());
    ASSERT_FALSE(hotkeyIsTaken(CtrlAltK));
    ASSERT_FALSE(hotkeyIsTaken(ShiftL));

    ShortcutContent shortcut;
    {
        // An option word alone: the dialog shows, and the launcher keeps it.
        Grabnik grabnik("/magnifier", executable);
        HWND dialog = waitForSetupDialog(grabnik.pid());
        ASSERT_NE(dialog, nullptr);
        // First a failed attempt: the selection key without a modifier.
        chooseHotkey(dialog, DialogHotkey::Selection, makeHotkeyCode(0, 'K'));
        chooseHotkey(dialog, DialogHotkey::File, ShiftL);
        pressSet(dialog);
        ASSERT_EQ(dismissMessages(grabnik.pid()).size(), 1u);

        ASSERT_TRUE(completeSetup(grabnik, dialog, {CtrlAltK, ShiftL}));
        EXPECT_TRUE(bothTaken());
        EXPECT_TRUE(visibleWindowsOf(grabnik.pid()).empty());

        shortcut = readShortcut(folder.pathOf("grabnik.lnk"));
        ASSERT_TRUE(isLauncher(shortcut, executable, "/magnifier (ctrl+alt+K) (shift+L)"));

        DWORD exitCode = 1;
        ASSERT_TRUE(grabnik.close(&exitCode));
        EXPECT_EQ(exitCode, 0u);
    }

    // Started as the shortcut starts it: both hotkeys, no dialog.
    Grabnik relaunched(shortcut.arguments, shortcut.target);
    ASSERT_TRUE(relaunched.waitReady());
    EXPECT_EQ(findWindowOf(relaunched.pid(), "#32770", nullptr), nullptr);
    EXPECT_TRUE(bothTaken());
    DWORD exitCode = 1;
    ASSERT_TRUE(relaunched.close(&exitCode));
    EXPECT_EQ(exitCode, 0u);
}

// Started by a path relative to the starter's current folder, and running
// in another folder, with arguments of 260 characters and more: the
// shortcut lies beside the program all the same, with its absolute path.
TEST(LauncherShortcut, AStartByARelativePathFromAnotherFolderWritesItBesideTheProgram) {
    TempFolder folder("relative");
    TempFolder elsewhere("elsewhere");
    ASSERT_TRUE(folder.created() && elsewhere.created());
    const std::string executable = folder.copyGrabnik("grabnik.exe");
    ASSERT_FALSE(executable.empty());
    // Both folders lie in the temporary folder: from there the program is
    // the folder's name and its own.
    char temporary[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temporary), 0u);
    const std::string relative = executable.substr(std::string(temporary).size());
    ASSERT_EQ(temporary + relative, executable);

    char previous[MAX_PATH];
    ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, previous), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(temporary));
    Grabnik grabnik(std::string(260, 'x'), relative, {}, elsewhere.path());
    // Back before anything can fail: a folder that is current cannot be removed.
    SetCurrentDirectoryA(previous);
    ASSERT_TRUE(grabnik.started());

    HWND dialog = waitForSetupDialog(grabnik.pid());
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(completeSetup(grabnik, dialog, {CtrlAltK, ShiftL}));
    EXPECT_TRUE(isLauncher(readShortcut(folder.pathOf("grabnik.lnk")), executable,
                           "(ctrl+alt+K) (shift+L)"));
    EXPECT_TRUE(elsewhere.files().empty()) << "nothing written where the program runs";
}

struct NoShortcutCase : NamedRow {
    const char* executable;  // the copy's file name
    bool folderInTheWay;     // a folder stands where grabnik.lnk would be saved
};

class WritesNoShortcut : public testing::TestWithParam<NoShortcutCase> {};

TEST_P(WritesNoShortcut, AndTheSetupStillSucceeds) {
    const NoShortcutCase& c = GetParam();
    TempFolder folder("noshortcut");
    ASSERT_TRUE(folder.created());
    const std::string executable = folder.copyGrabnik(c.executable);
    ASSERT_FALSE(executable.empty());
    const std::string shortcutPath = folder.pathOf("grabnik.lnk");
    if (c.folderInTheWay) {
        ASSERT_TRUE(CreateDirectoryA(shortcutPath.c_str(), nullptr));
    }

    Grabnik grabnik("", executable);
    HWND dialog = waitForSetupDialog(grabnik.pid());
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(completeSetup(grabnik, dialog, {CtrlAltK, ShiftL}));
    EXPECT_TRUE(bothTaken());

    EXPECT_EQ(folder.files(), std::vector<std::string>{c.executable}) << "nothing written";
    EXPECT_EQ(isDirectory(shortcutPath), c.folderInTheWay);
    DWORD exitCode = 1;
    ASSERT_TRUE(grabnik.close(&exitCode));
    EXPECT_EQ(exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WritesNoShortcut,
    testing::Values(NoShortcutCase{"AnotherName", "snipper.exe", false},
                    NoShortcutCase{"NameInOtherLetterCase", "GRABNIK.EXE", false},
                    NoShortcutCase{"FolderAtTheShortcutPath", "grabnik.exe", true}),
    NamedAfterRow());

}  // namespace
