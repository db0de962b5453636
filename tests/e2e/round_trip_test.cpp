// The program's features one after the other, as a user strings them
// together: a snip, then the file hotkey; a setup, then both new hotkeys.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "image_file.h"
#include "overlay_session.h"
#include "setup_dialog_driver.h"
#include "temp_folder.h"

using namespace e2e;

namespace {

// Each case gives the program a temporary directory of its own.
class RoundTrip : public OverlaySession {
protected:
    Environment temporaryDirectory() const {
        return {{"TMP", folder_.path()}, {"TEMP", folder_.path()}};
    }

    // Snips (10, 10)-(110, 60), then presses the file hotkey: the path of
    // tmpimg00.png replaces the bitmap on the clipboard, and the file holds
    // exactly the snipped pixels.
    void snipThenSave(UINT fileModifiers, UINT fileKey) {
        freeze();
        userDrag(10, 10, 110, 60);
        ASSERT_TRUE(waitVisible(overlay_, false));
        expectCopyOfBackground(10, 10, 100, 50);

        pressHotkey(fileModifiers, fileKey);
        const std::string file = folder_.pathOf("tmpimg00.png");
        ASSERT_TRUE(waitUntil([] { return clipboardHasFormat(CF_TEXT); }));
        EXPECT_EQ(clipboardText(), file);
        EXPECT_FALSE(clipboardHasFormat(CF_BITMAP));
        Image saved;
        ASSERT_TRUE(decodeImageFile(file, saved));
        ASSERT_EQ(saved.width, 100);
        ASSERT_EQ(saved.height, 50);
        EXPECT_EQ(
            mismatches(saved, 10, 10, [&](int x, int y) { return background_.colourAt(x, y); }),
            "");
    }

    TempFolder folder_{"roundtrip"};
};

class SnipThenFile : public RoundTrip {
    std::unique_ptr<Grabnik> startProgram() override {
        return std::make_unique<Grabnik>("(ctrl+alt+S) (ctrl+alt+F)", grabnikPath(),
                                         temporaryDirectory());
    }
};

TEST_F(SnipThenFile, TheFileHoldsTheSnippedPixels) { snipThenSave(MOD_CONTROL | MOD_ALT, 'F'); }

// Started without hotkeys: the setup dialog chooses ctrl+alt+K and shift+L,
// and from then on those are the program's hotkeys.
class SetupThenSnip : public RoundTrip {
    std::unique_ptr<Grabnik> startProgram() override {
        executable_ = folder_.copyGrabnik("grabnik.exe");
        return std::make_unique<Grabnik>("", executable_, temporaryDirectory());
    }

protected:
    std::string executable_;
};

TEST_F(SetupThenSnip, BothChosenHotkeysWork) {
    HWND dialog = waitForSetupDialog(grabnik_->pid());
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(completeSetup(*grabnik_, dialog, {MOD_CONTROL | MOD_ALT, 'K'}, {MOD_SHIFT, 'L'}));
    selectionHotkey_ = {MOD_CONTROL | MOD_ALT, 'K'};
    snipThenSave(MOD_SHIFT, 'L');
}

}  // namespace
