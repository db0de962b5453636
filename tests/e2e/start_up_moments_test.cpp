// Start-up's own moments with a user at the keyboard: the selection hotkey
// pressed while a start-up message box or the setup dialog's is up, and a
// key list that holds an item another program put there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.h"
#include "res/resource.h"
#include "setup_dialog_driver.h"
#include "temp_folder.h"

using namespace e2e;

namespace {

constexpr UINT CtrlAlt = MOD_CONTROL | MOD_ALT;
constexpr HotkeyCode CtrlAltK = makeHotkeyCode(CtrlAlt, 'K');
constexpr HotkeyCode ShiftL = makeHotkeyCode(MOD_SHIFT, 'L');
constexpr int HeldId = 0xB100;

// Presses the program's registered selection hotkey and expects no overlay:
// a freeze would show it within a few hundred milliseconds.
void expectNoOverlayOnPress(Grabnik& grabnik, UINT modifiers, UINT key) {
    ASSERT_TRUE(hotkeyIsTaken(makeHotkeyCode(modifiers, key)))
        << "the hotkey is registered meanwhile";
    pressHotkey(modifiers, key);
    EXPECT_FALSE(waitVisible(grabnik.overlay(), true, 1500)) << "the screen froze over the box";
}

TEST(StartUpMoments, SelectionHotkeyUnderTheSetupsMessageBoxFreezesNothing) {
    TempFolder folder("moments");
    const std::string executable = folder.copyGrabnik("grabnik.exe");
    ASSERT_FALSE(executable.empty());
    ASSERT_FALSE(hotkeyIsTaken(CtrlAltK));
    // Another program holds the file hotkey's choice: the selection's is
    // registered while the box that says so is up.
    ASSERT_TRUE(RegisterHotKey(nullptr, HeldId, hotkeyModifiers(ShiftL), hotkeyKey(ShiftL)));

    Grabnik grabnik("", executable);
    HWND dialog = waitForSetupDialog(grabnik.pid());
    ASSERT_NE(dialog, nullptr);
    chooseHotkey(dialog, DialogHotkey::Selection, CtrlAltK);
    chooseHotkey(dialog, DialogHotkey::File, ShiftL);
    pressSet(dialog);
    HWND box = waitForMessageBox(grabnik.pid());
    ASSERT_NE(box, nullptr);
    ASSERT_NO_FATAL_FAILURE(
        expectNoOverlayOnPress(grabnik, hotkeyModifiers(CtrlAltK), hotkeyKey(CtrlAltK)));

    dismissMessageBox(box);
    UnregisterHotKey(nullptr, HeldId);
    ASSERT_TRUE(completeSetup(grabnik, dialog, {CtrlAltK, ShiftL}));
    // Now started: the same press freezes.
    pressHotkey(hotkeyModifiers(CtrlAltK), hotkeyKey(CtrlAltK));
    EXPECT_TRUE(waitVisible(grabnik.overlay(), true));
}

TEST(StartUpMoments, SelectionHotkeyUnderTheStartUpBoxFreezesNothing) {
    ASSERT_TRUE(RegisterHotKey(nullptr, HeldId, CtrlAlt, 'F'));
    Grabnik grabnik("(ctrl+alt+S) (ctrl+alt+F)");
    HWND box = waitForMessageBox(grabnik.pid());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(messageBoxText(box), "Failed to register the specified hotkey");
    ASSERT_NO_FATAL_FAILURE(expectNoOverlayOnPress(grabnik, CtrlAlt, 'S'));
    UnregisterHotKey(nullptr, HeldId);

    dismissMessageBox(box);
    DWORD exitCode = 0;
    ASSERT_TRUE(grabnik.waitExit(&exitCode));
    EXPECT_EQ(exitCode, DWORD(-4));
}

TEST(StartUpMoments, KeyListItemLongerThanAKeyIsNoKey) {
    ASSERT_FALSE(hotkeyIsTaken(makeHotkeyCode(CtrlAlt, 'K')));
    Grabnik grabnik("");
    HWND dialog = waitForSetupDialog(grabnik.pid());
    ASSERT_NE(dialog, nullptr);
    chooseHotkey(dialog, DialogHotkey::Selection, CtrlAltK);
    chooseHotkey(dialog, DialogHotkey::File, ShiftL);
    // Another program adds a long item and selects it; the wide message
    // carries the whole text across processes.
    const std::wstring item = L"K" + std::wstring(500, L'x');
    HWND keyList = GetDlgItem(dialog, IDC_SEL_KEY);
    const LRESULT index = SendMessageW(keyList, CB_ADDSTRING, 0, LPARAM(item.c_str()));
    ASSERT_GE(index, 0);
    SendMessageW(keyList, CB_SETCURSEL, WPARAM(index), 0);
    pressSet(dialog);

    EXPECT_EQ(dismissMessages(grabnik.pid()),
              std::vector<std::string>{"Failed to register the screen selection hotkey.\n"
                                       "Please choose another key combination."});
    EXPECT_FALSE(grabnik.hasExited());
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open for another try";
    EXPECT_FALSE(hotkeyIsTaken(makeHotkeyCode(CtrlAlt, 'K'))) << "not read as K";
}

}  // namespace
