// The snip's bitmap handed to the real clipboard, with a window of this
// process as the overlay.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "clipboard_owner.h"
#include "export/bitmap_on_clipboard.h"

namespace {

class ClipboardHandOver : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(owner_.created());
        ASSERT_TRUE(OpenClipboard(snipState.mainWindow));
        EmptyClipboard();
        HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, sizeof Sentinel);
        std::memcpy(GlobalLock(text), Sentinel, sizeof Sentinel);
        GlobalUnlock(text);
        SetClipboardData(CF_TEXT, text);  // the clipboard's from here on
        CloseClipboard();
        bitmap_ = CreateBitmap(4, 3, 1, 32, nullptr);
    }

    static constexpr char Sentinel[] = "before";
    ClipboardOwnerWindow owner_;
    HBITMAP bitmap_ = nullptr;
};

TEST_F(ClipboardHandOver, TakenBitmapIsTheClipboardsAndAlive) {
    ASSERT_EQ(handBitmapToClipboard(bitmap_), ClipboardAttempt::Done);
    EXPECT_EQ(GetObjectType(bitmap_), DWORD(OBJ_BITMAP)) << "never deleted once handed over";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT)) << "the copy replaces what was there";
    BITMAP header = {};
    HANDLE onClipboard = GetClipboardData(CF_BITMAP);
    EXPECT_TRUE(onClipboard && GetObjectA(onClipboard, sizeof header, &header));
    CloseClipboard();
    EXPECT_EQ(header.bmWidth, 4);
    EXPECT_EQ(header.bmHeight, 3);
}

// Waits for the object while answering this thread's messages: the other
// thread's clipboard calls may need an answer from our clipboard window.
bool waitPumping(HANDLE object) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000) {
        if (MsgWaitForMultipleObjects(1, &object, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0)
            return true;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    return false;
}

DWORD WINAPI holdClipboard(void* events) {
    HANDLE* pair = static_cast<HANDLE*>(events);
    OpenClipboard(nullptr);
    SetEvent(pair[0]);
    WaitForSingleObject(pair[1], 10000);
    CloseClipboard();
    return 0;
}

TEST_F(ClipboardHandOver, WhileHeldTheBitmapStaysOursAndTheClipboardIsKept) {
    // Another thread holds the clipboard open, as another program might.
    HANDLE events[2] = {CreateEventA(nullptr, TRUE, FALSE, nullptr),
                        CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HANDLE holder = CreateThread(nullptr, 0, holdClipboard, events, 0, nullptr);
    ASSERT_TRUE(waitPumping(events[0]));

    EXPECT_EQ(handBitmapToClipboard(bitmap_), ClipboardAttempt::Busy);
    EXPECT_EQ(GetObjectType(bitmap_), DWORD(OBJ_BITMAP)) << "still ours, to be tried again";
    DeleteObject(bitmap_);

    SetEvent(events[1]);
    waitPumping(holder);
    CloseHandle(holder);
    CloseHandle(events[0]);
    CloseHandle(events[1]);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE text = GetClipboardData(CF_TEXT);
    EXPECT_STREQ(text ? static_cast<const char*>(GlobalLock(text)) : "", Sentinel);
    if (text) GlobalUnlock(text);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    CloseClipboard();
}

}  // namespace
