// The program's features one after the other, as a user strings them
// together: a snip, then the file hotkey; a setup, then both new hotkeys.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "overlay_session.h"
#include "setup_dialog_driver.h"
#include "temp_folder.h"

using namespace e2e;

namespace {

const RECT Snip = {10, 10, 110, 60};

// Each case gives the program a temporary directory of its own.
class RoundTrip : public OverlaySession {
protected:
    // Snips Snip, then presses the file hotkey: the path of tmpimg00.png
    // replaces the bitmap on the clipboard, and the file holds exactly the
    // snipped pixels.
    void snipThenSave(UINT fileModifiers, UINT fileKey) {
        ASSERT_NO_FATAL_FAILURE(freeze());
        userDrag(Snip);
        ASSERT_TRUE(waitVisible(overlay_, false));
        ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(Snip));

        pressHotkey(fileModifiers, fileKey);
        const std::string file = folder_.pathOf("tmpimg00.png");
        ASSERT_TRUE(waitUntil([] { return clipboardHasFormat(CF_TEXT); }));
        EXPECT_EQ(clipboardText(), file);
        EXPECT_FALSE(clipboardHasFormat(CF_BITMAP));
        ASSERT_NO_FATAL_FAILURE(expectFileOfBackground(file, Snip));
    }

    TempFolder folder_{"roundtrip"};
};

class SnipThenFile : public RoundTrip {
    std::unique_ptr<Grabnik> startProgram() override {
        return std::make_unique<Grabnik>("(ctrl+alt+S) (ctrl+alt+F)", grabnikPath(),
                                         temporaryDirectoryIs(folder_.path()));
    }
};

TEST_F(SnipThenFile, TheFileHoldsTheSnippedPixels) { snipThenSave(MOD_CONTROL | MOD_ALT, 'F'); }

// Started without hotkeys: the setup dialog chooses ctrl+alt+K and shift+L,
// and from then on those are the program's hotkeys.
class SetupThenSnip : public RoundTrip {
    std::unique_ptr<Grabnik> startProgram() override {
        executable_ = folder_.copyGrabnik("grabnik.exe");
        return std::make_unique<Grabnik>("", executable_, temporaryDirectoryIs(folder_.path()));
    }

protected:
    std::string executable_;
};

TEST_F(SetupThenSnip, BothChosenHotkeysWork) {
    HWND dialog = waitForSetupDialog(grabnik_->pid());
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(completeSetup(
        *grabnik_, dialog,
        {makeHotkeyCode(MOD_CONTROL | MOD_ALT, 'K'), makeHotkeyCode(MOD_SHIFT, 'L')}));
    selectionHotkey_ = {MOD_CONTROL | MOD_ALT, 'K'};
    ASSERT_NO_FATAL_FAILURE(snipThenSave(MOD_SHIFT, 'L'));
}

}  // namespace
