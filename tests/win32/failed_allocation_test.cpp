// Allocations that fail in the copy and the freeze. The platform's creating
// functions are made to refuse through this program's imports, which the
// product's code linked in here calls through; everything else is real.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/snip_state.h"
#include "driver.h"
#include "import_patch.h"
#include "overlay/freeze.h"
#include "overlay/selection.h"
#include "overlay/picture.h"
#include "stand_in_overlay.h"
#include "support/named_rows.h"

namespace {

HBITMAP WINAPI refuseBitmap(HDC, int, int) { return nullptr; }
HDC WINAPI refuseContext(HDC) { return nullptr; }
HBITMAP WINAPI refuseSection(HDC, const BITMAPINFO*, UINT, void**, HANDLE, DWORD) {
    return nullptr;
}

struct Refusal : NamedRow {
    const char* function;  // imported from gdi32.dll
    const void* standIn;
};

const Refusal memoryContext = {"MemoryContext", "CreateCompatibleDC",
                                reinterpret_cast<const void*>(refuseContext)};
// The copy's bitmap is one the clipboard can take; the picture is a section.
const Refusal copyRefusals[] = {
    {"Bitmap", "CreateCompatibleBitmap", reinterpret_cast<const void*>(refuseBitmap)},
    memoryContext,
};
const Refusal freezeRefusals[] = {
    {"Section", "CreateDIBSection", reinterpret_cast<const void*>(refuseSection)},
    memoryContext,
};

constexpr int Side = 16;
constexpr char Sentinel[] = "earlier contents";

// A hidden overlay window of this process, a picture of known pixels
// made before anything fails, and text on the clipboard.
class FailedAllocation : public testing::TestWithParam<Refusal> {
protected:
    void SetUp() override {
        ASSERT_TRUE(overlay_.created());
        ASSERT_TRUE(overlay_.freezePattern());
        ASSERT_TRUE(e2e::setClipboardText(Sentinel));
    }

    const StandInOverlay overlay_{Side};
};

class CopyRefused : public FailedAllocation {};
class FreezeRefused : public FailedAllocation {};

TEST_P(CopyRefused, NeverOpensTheClipboard) {
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

TEST_P(FreezeRefused, ShowsNothingAndKeepsThePicture) {
    const PixelSurface picture = snipState.picture;
    {
        const ImportPatch refusal("gdi32.dll", GetParam().function, GetParam().standIn);
        ASSERT_TRUE(refusal.patched());
        freezeScreen();
    }
    EXPECT_FALSE(IsWindowVisible(snipState.mainWindow)) << "no overlay without a picture";
    EXPECT_EQ(snipState.screenWidth, Side);
    // The old picture stays in place: the same, alive, unchanged.
    ASSERT_EQ(snipState.picture.dc, picture.dc);
    ASSERT_EQ(snipState.picture.bitmap, picture.bitmap);
    ASSERT_EQ(GetObjectType(picture.bitmap), DWORD(OBJ_BITMAP));
    for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x)
            ASSERT_EQ(GetPixel(snipState.picture.dc, x, y), StandInOverlay::frozenAt(x, y))
                << x << ", " << y;
}

INSTANTIATE_TEST_SUITE_P(Refused, CopyRefused, testing::ValuesIn(copyRefusals), NamedAfterRow());
INSTANTIATE_TEST_SUITE_P(Refused, FreezeRefused, testing::ValuesIn(freezeRefusals),
                         NamedAfterRow());

}  // namespace
