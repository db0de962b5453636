// The real program while another program holds the clipboard open: the
// snip's copy and the file hotkey wait for it for about a second, and the
// program answers meanwhile.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "image_file.h"
#include "overlay_session.h"
#include "temp_folder.h"

using namespace e2e;

namespace {

const RECT Snip = {10, 10, 110, 60};

constexpr UINT CtrlAlt = MOD_CONTROL | MOD_ALT;

// Another program's hold on the clipboard, from a thread of this process
// (to the program it is another process): open from construction until
// letGo() or the end.
class ClipboardHolder {
public:
    ClipboardHolder()
        : opened_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          thread_(CreateThread(nullptr, 0, hold, this, 0, nullptr)) {
        WaitForSingleObject(opened_, 5000);
    }
    ~ClipboardHolder() {
        letGo();
        CloseHandle(thread_);
        CloseHandle(release_);
        CloseHandle(opened_);
    }
    bool holds() const { return held_; }
    void letGo() {
        SetEvent(release_);
        WaitForSingleObject(thread_, 5000);
    }

private:
    static DWORD WINAPI hold(void* self) {
        auto& holder = *static_cast<ClipboardHolder*>(self);
        holder.held_ = waitUntil([] { return OpenClipboard(nullptr) != 0; });
        SetEvent(holder.opened_);
        WaitForSingleObject(holder.release_, 20000);
        if (holder.held_) CloseClipboard();
        return 0;
    }

    HANDLE opened_;
    HANDLE release_;
    HANDLE thread_;
    volatile bool held_ = false;
};

class BusyClipboard : public OverlaySession {
protected:
    std::unique_ptr<Grabnik> startProgram() override {
        return std::make_unique<Grabnik>(
            "(ctrl+alt+S) (ctrl+alt+F)", grabnikPath(),
            Environment{{"TMP", folder_.path()}, {"TEMP", folder_.path()}});
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
