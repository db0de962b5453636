// The real program while another program holds the clipboard open: the
// snip's copy and the file hotkey wait for it for about a second, in the
// order they were asked for, and the program answers meanwhile.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "clipboard_holder.h"
#include "image_file.h"
#include "overlay_session.h"
#include "temp_folder.h"

using namespace e2e;

namespace {

const RECT Snip = {10, 10, 110, 60};
const RECT SecondSnip = {200, 120, 260, 150};

constexpr UINT CtrlAlt = MOD_CONTROL | MOD_ALT;

class BusyClipboard : public OverlaySession {
protected:
    std::unique_ptr<Grabnik> startProgram() override {
        return std::make_unique<Grabnik>("(ctrl+alt+S) (ctrl+alt+F)", grabnikPath(),
                                         temporaryDirectoryIs(folder_.path()));
    }

    // True when the program answers a message within a quarter second.
    bool answers() const {
        DWORD_PTR result = 0;
        return SendMessageTimeoutA(overlay_, WM_NULL, 0, 0, SMTO_NORMAL, 250, &result) != 0;
    }

    // Makes `requests` while another program holds the clipboard, which
    // keeps it for half a second more, well inside the second that the
    // requests wait: meanwhile nothing may be written.
    void whileHeld(const std::function<void()>& requests) {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.holds());
        const DWORD sequence = GetClipboardSequenceNumber();
        requests();
        if (HasFatalFailure()) return;
        Sleep(500);
        EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << "the clipboard changed while held";
        EXPECT_TRUE(folder_.files().empty()) << "a file was saved while the clipboard was held";
    }

    // The picture another program put on the clipboard, for the file hotkey.
    void putPicture() { ASSERT_TRUE(setClipboardBitmap(picture_)); }
    void expectFileHoldsPicture(const std::string& name) {
        Image saved;
        ASSERT_TRUE(decodeImageFile(folder_.pathOf(name), saved)) << name;
        EXPECT_EQ(saved.pixels, picture_.pixels) << name;
    }

    TempFolder folder_{"busy"};
    const Image picture_ = testPattern(23, 17, 8);
};

TEST_F(BusyClipboard, TheSnipArrivesWhenTheHolderLetsGoAfterTheRelease) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    ASSERT_NO_FATAL_FAILURE(whileHeld([&] {
        userDrag(Snip);
        EXPECT_TRUE(waitHidden()) << "the overlay must not wait for the clipboard";
    }));
    ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(Snip));
}

TEST_F(BusyClipboard, TheFileHotkeysPathAndFileArriveWhenTheHolderLetsGo) {
    ASSERT_NO_FATAL_FAILURE(putPicture());
    ASSERT_NO_FATAL_FAILURE(whileHeld([] { pressHotkey(CtrlAlt, 'F'); }));
    ASSERT_TRUE(waitUntil([] { return clipboardHasFormat(CF_TEXT); }));
    EXPECT_EQ(clipboardText(), folder_.pathOf("tmpimg00.png"));
    ASSERT_NO_FATAL_FAILURE(expectFileHoldsPicture("tmpimg00.png"));
}

// On a free clipboard: the first save writes the earlier picture, the
// second the snip, and the clipboard ends with the second file's path.
TEST_F(BusyClipboard, FileHotkeySnipFileHotkeyGiveWhatTheyGiveOnAFreeClipboard) {
    ASSERT_NO_FATAL_FAILURE(putPicture());
    ASSERT_NO_FATAL_FAILURE(whileHeld([&] {
        pressHotkey(CtrlAlt, 'F');
        ASSERT_NO_FATAL_FAILURE(freeze());
        userDrag(Snip);
        ASSERT_TRUE(waitHidden());
        pressHotkey(CtrlAlt, 'F');
    }));
    const std::string second = folder_.pathOf("tmpimg01.png");
    ASSERT_TRUE(waitUntil([&] { return clipboardText() == second; })) << clipboardText();
    EXPECT_FALSE(clipboardHasFormat(CF_BITMAP));
    EXPECT_EQ(folder_.files(), (std::vector<std::string>{"tmpimg00.png", "tmpimg01.png"}));
    ASSERT_NO_FATAL_FAILURE(expectFileHoldsPicture("tmpimg00.png"));
    ASSERT_NO_FATAL_FAILURE(expectFileOfBackground(second, Snip));
}

// On a free clipboard: the file holds the first snip, and the second snip
// ends on the clipboard.
TEST_F(BusyClipboard, SnipFileHotkeySnipGiveWhatTheyGiveOnAFreeClipboard) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    ASSERT_NO_FATAL_FAILURE(whileHeld([&] {
        userDrag(Snip);
        ASSERT_TRUE(waitHidden());
        pressHotkey(CtrlAlt, 'F');
        ASSERT_NO_FATAL_FAILURE(freeze());
        userDrag(SecondSnip);
        ASSERT_TRUE(waitHidden());
    }));
    // The first snip passes through the clipboard on the way: the end is
    // the second's size.
    ASSERT_TRUE(waitUntil([] {
        Image copy;
        return clipboardBitmap(copy) && copy.width == SecondSnip.right - SecondSnip.left;
    }));
    ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(SecondSnip));
    EXPECT_FALSE(clipboardHasFormat(CF_TEXT));
    EXPECT_EQ(folder_.files(), std::vector<std::string>{"tmpimg00.png"});
    ASSERT_NO_FATAL_FAILURE(expectFileOfBackground(folder_.pathOf("tmpimg00.png"), Snip));
}

TEST_F(BusyClipboard, HeldLongerThanASecondTheEarlierTextStaysAndTheProgramAnswers) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.holds());
        userDrag(Snip);
        ASSERT_TRUE(waitHidden());
        pressHotkey(CtrlAlt, 'F');
        EXPECT_TRUE(answers());
        // A hotkey pressed while the work waits is handled, not lost.
        pressHotkey(CtrlAlt, 'S');
        // Shown is not yet in front: an Escape before that would be lost.
        EXPECT_TRUE(waitVisible(overlay_, true) && waitInFront());
        pressKey(VK_ESCAPE);
        EXPECT_TRUE(waitHidden());
        Sleep(3000);
        EXPECT_TRUE(answers());
    }
    // Given up: a late copy or save would show here.
    Sleep(500);
    expectClipboardUntouched();
    EXPECT_TRUE(folder_.files().empty());
}

}  // namespace
