// Allocations that fail in the copy and the freeze. The platform's creating
// functions are made to refuse through this program's imports, which the
// product's code linked in here calls through; everything else is real.
#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>

#include "case_names.h"
#include "core/snip_state.h"
#include "core/win_holders.h"
#include "driver.h"
#include "import_patch.h"
#include "overlay/freeze.h"
#include "overlay/selection.h"
#include "overlay/snapshot.h"

namespace {

HBITMAP WINAPI refuseBitmap(HDC, int, int) { return nullptr; }
HDC WINAPI refuseContext(HDC) { return nullptr; }

struct Refusal {
    const char* name;
    const char* function;  // imported from gdi32.dll
    const void* standIn;
};

std::ostream& operator<<(std::ostream& out, const Refusal& r) { return out << r.name; }

const Refusal refusals[] = {
    {"Bitmap", "CreateCompatibleBitmap", reinterpret_cast<const void*>(refuseBitmap)},
    {"MemoryContext", "CreateCompatibleDC", reinterpret_cast<const void*>(refuseContext)},
};

constexpr int Side = 16;
constexpr char Sentinel[] = "earlier contents";

COLORREF frozen(int x, int y) { return RGB(x * 9, y * 9, 140); }

// A hidden overlay window of this process, a snapshot of a known picture
// made before anything fails, and text on the clipboard.
class FailedAllocation : public testing::TestWithParam<Refusal> {
protected:
    void SetUp() override {
        snipState.mainWindow =
            CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, "STATIC", nullptr, WS_POPUP, 0, 0,
                            Side, Side, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(snipState.mainWindow, nullptr);
        snipState.screenWidth = snipState.screenHeight = Side;
        ASSERT_TRUE(replaceSnapshot(WindowDC(nullptr), Side, Side));
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x) SetPixel(snipState.snapshotDC, x, y, frozen(x, y));
        ASSERT_TRUE(e2e::setClipboardText(Sentinel));
    }

    void TearDown() override {
        deleteSnapshot();
        DestroyWindow(snipState.mainWindow);
        snipState = SnipState{};
    }
};

TEST_P(FailedAllocation, CopyNeverOpensTheClipboard) {
    snipState.selStartX = snipState.selStartY = 2;
    snipState.selEndX = snipState.selEndY = 12;
    const DWORD sequence = GetClipboardSequenceNumber();
    {
        const ImportPatch refusal("gdi32.dll", GetParam().function, GetParam().standIn);
        ASSERT_TRUE(refusal.patched());
        copySelectionToClipboard();
    }
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence) << "the clipboard was emptied or written";
    EXPECT_EQ(e2e::clipboardText(), Sentinel);
    EXPECT_FALSE(e2e::clipboardHasFormat(CF_BITMAP));
}

TEST_P(FailedAllocation, FreezeShowsNothingAndKeepsTheSnapshot) {
    const HDC dc = snipState.snapshotDC;
    const HBITMAP bitmap = snipState.snapshotBitmap;
    {
        const ImportPatch refusal("gdi32.dll", GetParam().function, GetParam().standIn);
        ASSERT_TRUE(refusal.patched());
        freezeScreen();
    }
    EXPECT_FALSE(IsWindowVisible(snipState.mainWindow)) << "no overlay without a snapshot";
    EXPECT_EQ(snipState.screenWidth, Side);
    // The brush still restores from the old pair: the same, alive, unchanged.
    ASSERT_EQ(snipState.snapshotDC, dc);
    ASSERT_EQ(snipState.snapshotBitmap, bitmap);
    ASSERT_EQ(GetObjectType(bitmap), DWORD(OBJ_BITMAP));
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x)
            ASSERT_EQ(GetPixel(snipState.snapshotDC, x, y), frozen(x, y)) << x << ", " << y;
}

INSTANTIATE_TEST_SUITE_P(Refused, FailedAllocation, testing::ValuesIn(refusals), NamedAfterRow());

}  // namespace
