// The snip's bitmap handed to the real clipboard, with a window of this
// process as the overlay.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "clipboard_holder.h"
#include "export/bitmap_on_clipboard.h"
#include "export/png_format.h"
#include "stand_in_overlay.h"

namespace {

class ClipboardHandOver : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OpenClipboard(overlay_.window()));
        EmptyClipboard();
        HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, sizeof Sentinel);
        std::memcpy(GlobalLock(text), Sentinel, sizeof Sentinel);
        GlobalUnlock(text);
        SetClipboardData(CF_TEXT, text);  // the clipboard's from here on
        CloseClipboard();
        bitmap_ = CreateBitmap(4, 3, 1, 32, nullptr);
    }

    static constexpr char Sentinel[] = "before";
    const StandInOverlay overlay_;
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
    EXPECT_TRUE(IsClipboardFormatAvailable(pngClipboardFormat())) << "the PNG offered beside it";
    CloseClipboard();
    EXPECT_EQ(header.bmWidth, 4);
    EXPECT_EQ(header.bmHeight, 3);
}

TEST_F(ClipboardHandOver, WhileHeldTheBitmapStaysOursAndTheClipboardIsKept) {
    // Another thread holds the clipboard open, as another program might.
    e2e::ClipboardHolder holder;
    ASSERT_TRUE(holder.holds());

    EXPECT_EQ(handBitmapToClipboard(bitmap_), ClipboardAttempt::Busy);
    EXPECT_EQ(GetObjectType(bitmap_), DWORD(OBJ_BITMAP)) << "still ours, to be tried again";
    DeleteObject(bitmap_);

    holder.letGo();
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE text = GetClipboardData(CF_TEXT);
    EXPECT_STREQ(text ? static_cast<const char*>(GlobalLock(text)) : "", Sentinel);
    if (text) GlobalUnlock(text);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    CloseClipboard();
}

}  // namespace
