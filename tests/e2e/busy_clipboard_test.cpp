// The real program while another program holds the clipboard open: the
// snip's copy and the file hotkey wait for it for about a second, and the
// program answers meanwhile.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "clipboard_holder.h"
#include "image_file.h"
#include "overlay_session.h"
#include "temp_folder.h"

using namespace e2e;

namespace {

const RECT Snip = {10, 10, 110, 60};

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

    TempFolder folder_{"busy"};
};

TEST_F(BusyClipboard, TheSnipArrivesWhenTheHolderLetsGoAfterTheRelease) {
    ASSERT_NO_FATAL_FAILURE(freeze());
    ClipboardHolder holder;
    ASSERT_TRUE(holder.holds());
    userDrag(Snip);
    EXPECT_TRUE(waitHidden()) << "the overlay must not wait for the clipboard";
    Sleep(300);
    EXPECT_TRUE(clipboardHasFormat(CF_TEXT)) << "nothing may change while it is held";
    holder.letGo();
    ASSERT_NO_FATAL_FAILURE(expectCopyOfBackground(Snip));
}

TEST_F(BusyClipboard, TheFileHotkeysPathAndFileArriveWhenTheHolderLetsGo) {
    const Image picture = testPattern(23, 17, 8);
    ASSERT_TRUE(setClipboardBitmap(picture));
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.holds());
        pressHotkey(CtrlAlt, 'F');
        Sleep(300);
        EXPECT_TRUE(folder_.files().empty());
    }
    ASSERT_TRUE(waitUntil([] { return clipboardHasFormat(CF_TEXT); }));
    EXPECT_EQ(clipboardText(), folder_.pathOf("tmpimg00.png"));
    Image saved;
    ASSERT_TRUE(decodeImageFile(folder_.pathOf("tmpimg00.png"), saved));
    EXPECT_EQ(saved.pixels, picture.pixels);
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
        EXPECT_TRUE(waitVisible(overlay_, true));
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
