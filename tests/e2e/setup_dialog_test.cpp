// The setup dialog of the real program, driven from outside: its key lists,
// what Set registers and reports, and the keys that must leave it open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver.h"
#include "setup_dialog_driver.h"
#include "support/named_rows.h"

using namespace e2e;

namespace {

constexpr UINT CtrlAlt = MOD_CONTROL | MOD_ALT;
const std::string SelectionMessage =
    "Failed to register the screen selection hotkey.\nPlease choose another key combination.";
const std::string FileMessage =
    "Failed to register the screen-to-file hotkey.\nPlease choose another key combination.";

// A combination that this test process holds, as another program would.
class HeldHotkey {
public:
    HeldHotkey(bool hold, HotkeyCode hotkey)
        : held_(hold &&
                RegisterHotKey(nullptr, 0xB000, hotkeyModifiers(hotkey), hotkeyKey(hotkey))) {}
    ~HeldHotkey() {
        if (held_) UnregisterHotKey(nullptr, 0xB000);
    }
    bool held() const { return held_; }

private:
    bool held_;
};

TEST(SetupDialog, OpensEmptyWithBothKeyListsFilled) {
    Grabnik grabnik("");
    HWND dialog = waitForSetupDialog(grabnik.pid());
    ASSERT_NE(dialog, nullptr);

    std::vector<std::string> keys;
    for (char c : std::string("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ")) keys.emplace_back(1, c);
    for (DialogHotkey which : {DialogHotkey::Selection, DialogHotkey::File}) {
        EXPECT_EQ(keyListItems(dialog, which), keys);
        EXPECT_EQ(chosenHotkey(dialog, which), HotkeyCode{0});
    }
}

TEST(SetupDialog, TakesNothingOverFromAHalfGivenCommandLine) {
    Grabnik grabnik("(ctrl+alt+S)");
    HWND dialog = waitForSetupDialog(grabnik.pid());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(chosenHotkey(dialog, DialogHotkey::Selection), HotkeyCode{0});
}

struct FailedSetCase : NamedRow {
    HotkeyCode selection;
    HotkeyCode file;
    bool holdSelectionElsewhere;  // another program holds the selection's combination
    std::vector<std::string> messages;
};

class FailedSet : public testing::TestWithParam<FailedSetCase> {};

TEST_P(FailedSet, ReportsInOrderWithdrawsBothAndLeavesTheDialogAsItWas) {
    const FailedSetCase& c = GetParam();
    // Only complete choices can be registered; each must be free beforehand
    // so that "not taken" afterwards means "withdrawn".
    std::vector<HotkeyCode> complete;
    for (const HotkeyCode choice : {c.selection, c.file})
        if (isCompleteHotkey(choice)) complete.push_back(choice);
    for (const HotkeyCode choice : complete) ASSERT_FALSE(hotkeyIsTaken(choice));
    HeldHotkey held(c.holdSelectionElsewhere, c.selection);
    ASSERT_EQ(held.held(), c.holdSelectionElsewhere);

    Grabnik grabnik("");
    HWND dialog = waitForSetupDialog(grabnik.pid());
    ASSERT_NE(dialog, nullptr);
    chooseHotkey(dialog, DialogHotkey::Selection, c.selection);
    chooseHotkey(dialog, DialogHotkey::File, c.file);
    pressSet(dialog);

    EXPECT_EQ(dismissMessages(grabnik.pid()), c.messages);
    EXPECT_FALSE(grabnik.hasExited());
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open for another try";
    EXPECT_EQ(chosenHotkey(dialog, DialogHotkey::Selection), c.selection);
    EXPECT_EQ(chosenHotkey(dialog, DialogHotkey::File), c.file);
    for (const HotkeyCode choice : complete) {
        if (c.holdSelectionElsewhere && choice == c.selection) continue;  // ours, not Grabnik's
        EXPECT_TRUE(waitUntil([&] { return !hotkeyIsTaken(choice); }))
            << "withdrawn: " << std::hex << choice;
    }
}

INSTANTIATE_TEST_SUITE_P(Choices, FailedSet,
                         testing::Values(FailedSetCase{"NothingChosen",
                                                       makeHotkeyCode(0, 0),
                                                       makeHotkeyCode(0, 0),
                                                       false,
                                                       {SelectionMessage, FileMessage}},
                                         FailedSetCase{"KeyWithoutBox",
                                                       makeHotkeyCode(0, 'K'),
                                                       makeHotkeyCode(MOD_SHIFT, 'L'),
                                                       false,
                                                       {SelectionMessage}},
                                         FailedSetCase{"BoxesWithoutKey",
                                                       makeHotkeyCode(CtrlAlt, 'K'),
                                                       makeHotkeyCode(MOD_SHIFT, 0),
                                                       false,
                                                       {FileMessage}},
                                         FailedSetCase{"BothIncomplete",
                                                       makeHotkeyCode(MOD_WIN, 0),
                                                       makeHotkeyCode(0, '7'),
                                                       false,
                                                       {SelectionMessage, FileMessage}},
                                         FailedSetCase{"SameCombinationTwice",
                                                       makeHotkeyCode(CtrlAlt, 'K'),
                                                       makeHotkeyCode(CtrlAlt, 'K'),
                                                       false,
                                                       {FileMessage}},
                                         FailedSetCase{"HeldByAnotherProgram",
                                                       makeHotkeyCode(CtrlAlt, 'K'),
                                                       makeHotkeyCode(MOD_SHIFT, 'L'),
                                                       true,
                                                       {SelectionMessage}}),
                         NamedAfterRow());

TEST(SetupDialog, SetPressedWhileItsMessageIsShownIsIgnored) {
    Grabnik grabnik("");
    HWND dialog = waitForSetupDialog(grabnik.pid());
    ASSERT_NE(dialog, nullptr);
    pressSet(dialog);
    HWND first = waitForMessageBox(grabnik.pid());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(messageBoxText(first), SelectionMessage);

    // The box has no owner, so the dialog still takes the click.
    pressSet(dialog);
    EXPECT_FALSE(waitUntil([&] { return errorBoxesOf(grabnik.pid()).size() > 1; }, 1000))
        << "a second Set ran inside the first";

    dismissMessageBox(first);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(first); }));
    EXPECT_EQ(dismissMessages(grabnik.pid()), std::vector<std::string>{FileMessage});
    EXPECT_TRUE(IsWindowVisible(dialog));
}

TEST(SetupDialog, EscapeLeavesItOpenAndEnterPressesSet) {
    Grabnik grabnik("");
    HWND dialog = waitForSetupDialog(grabnik.pid());
    ASSERT_NE(dialog, nullptr);
    SetForegroundWindow(dialog);
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == dialog; }));

    pressKey(VK_ESCAPE);
    // Enter reaches the dialog after Escape: its messages prove that the
    // dialog took both keys, and that Escape had not closed it.
    pressKey(VK_RETURN);
    EXPECT_EQ(dismissMessages(grabnik.pid()),
              (std::vector<std::string>{SelectionMessage, FileMessage}));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_FALSE(grabnik.hasExited());
}

}  // namespace
