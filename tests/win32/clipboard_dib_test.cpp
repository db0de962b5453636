// Device-independent bitmaps that other programs put on the clipboard,
// saved by the file hotkey's work: every pixel as the program gave it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/snip_state.h"
#include "export/clipboard_file.h"
#include "file_hotkey_in_process.h"
#include "image_file.h"
#include "import_patch.h"
#include "support/named_rows.h"

using namespace e2e;

namespace {

struct DibCase : NamedRow {
    UINT format;  // CF_DIB or CF_DIBV5
    int width;
    int height;  // negative: rows from the top down
    int bitCount;
    bool withAlpha;  // checked with alpha: a straight-alpha DIBV5
};

// The colour a case's DIB holds at (x, y), alpha in the top byte: through
// a palette index at 8 bits.
uint32_t paletteColour(int index) { return RGB(index, 255 - index, index * 7 & 0xFF); }
uint32_t colourAt(const DibCase& c, int x, int y) {
    if (c.bitCount == 8) return paletteColour((x * 31 + y * 17) & 0xFF);
    const COLORREF colour = RGB(x * 9 + 1, y * 13 + 2, x + y * 3 + 3);
    return c.withAlpha ? colour | uint32_t((x * 40 + y * 20 + 5) & 0xFF) << 24 : colour;
}

// The block another program would put on the clipboard.
HGLOBAL makeDib(const DibCase& c) {
    const bool v5 = c.format == CF_DIBV5;
    const int rows = c.height < 0 ? -c.height : c.height;
    const size_t header = v5 ? sizeof(BITMAPV5HEADER) : sizeof(BITMAPINFOHEADER);
    const size_t colours = c.bitCount == 8 ? 256 : 0;
    const size_t stride = size_t((c.width * c.bitCount + 31) / 32 * 4);
    const size_t size = header + colours * 4 + stride * size_t(rows);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!block) return nullptr;
    auto* bytes = static_cast<BYTE*>(GlobalLock(block));
    auto* info = reinterpret_cast<BITMAPV5HEADER*>(bytes);  // the first 40 bytes agree
    info->bV5Size = DWORD(header);
    info->bV5Width = c.width;
    info->bV5Height = c.height;
    info->bV5Planes = 1;
    info->bV5BitCount = WORD(c.bitCount);
    info->bV5ClrUsed = DWORD(colours);
    if (v5) {
        info->bV5Compression = BI_BITFIELDS;
        info->bV5RedMask = 0x00FF0000;
        info->bV5GreenMask = 0x0000FF00;
        info->bV5BlueMask = 0x000000FF;
        info->bV5AlphaMask = 0xFF000000;
        info->bV5CSType = 0x73524742;  // LCS_sRGB, spelled as a multi-character constant
    }
    auto* palette = reinterpret_cast<RGBQUAD*>(bytes + header);
    for (size_t i = 0; i < colours; ++i) {
        const COLORREF colour = paletteColour(int(i));
        palette[i] = {GetBValue(colour), GetGValue(colour), GetRValue(colour), 0};
    }
    BYTE* pixels = bytes + header + colours * 4;
    for (int y = 0; y < rows; ++y) {
        BYTE* row = pixels + stride * size_t(c.height < 0 ? y : rows - 1 - y);
        for (int x = 0; x < c.width; ++x) {
            const uint32_t colour = colourAt(c, x, y);
            if (c.bitCount == 8) {
                row[x] = BYTE((x * 31 + y * 17) & 0xFF);
                continue;
            }
            BYTE* pixel = row + x * (c.bitCount / 8);
            pixel[0] = GetBValue(colour);
            pixel[1] = GetGValue(colour);
            pixel[2] = GetRValue(colour);
            if (c.bitCount == 32) pixel[3] = BYTE(colour >> 24);
        }
    }
    GlobalUnlock(block);
    return block;
}

// Emptying the clipboard frees its blocks, and a block still locked then
// is unlocked after it is freed. Seen through stand-ins for this program's
// imports of both functions, which call the real ones.
struct Emptying {
    UINT format;   // of the block looked at: the case's own
    HANDLE freed;  // that block, when EmptyClipboard was called; else null
    bool unlockedAfter;
};
Emptying emptying;

template <typename Function>
Function* real(const char* dll, const char* name) {
    return reinterpret_cast<Function*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(dll), name)));
}

BOOL WINAPI emptyClipboardNoting() {
    emptying.freed = GetClipboardData(emptying.format);
    static const auto realEmpty = real<BOOL WINAPI()>("user32.dll", "EmptyClipboard");
    return realEmpty();
}

BOOL WINAPI globalUnlockNoting(HGLOBAL block) {
    if (block && block == emptying.freed) emptying.unlockedAfter = true;
    static const auto realUnlock = real<BOOL WINAPI(HGLOBAL)>("kernel32.dll", "GlobalUnlock");
    return realUnlock(block);
}

class ClipboardDib : public FileHotkeyInProcess, public testing::WithParamInterface<DibCase> {
protected:
    // Puts the block on the clipboard as another program would; false when
    // the clipboard did not take it.
    static bool putOnClipboard(UINT format, HGLOBAL block) {
        if (!block || !OpenClipboard(nullptr)) return false;
        EmptyClipboard();
        const bool taken = SetClipboardData(format, block) != nullptr;  // the clipboard's then
        CloseClipboard();
        if (!taken) GlobalFree(block);
        return taken;
    }
};

TEST_P(ClipboardDib, IsSavedPixelForPixel) {
    const DibCase& c = GetParam();
    ASSERT_TRUE(putOnClipboard(c.format, makeDib(c)));
    emptying = {c.format, nullptr, false};
    {
        const ImportPatch emptyNoting("user32.dll", "EmptyClipboard",
                                      reinterpret_cast<const void*>(emptyClipboardNoting));
        const ImportPatch unlockNoting("kernel32.dll", "GlobalUnlock",
                                       reinterpret_cast<const void*>(globalUnlockNoting));
        ASSERT_TRUE(emptyNoting.patched() && unlockNoting.patched());
        ASSERT_EQ(saveClipboardImageToTempFile(), ClipboardAttempt::Done);
    }
    ASSERT_EQ(clipboardText(), folder_.pathOf("tmpimg00.png"));
    ASSERT_NE(emptying.freed, nullptr) << "the path's write empties the clipboard";
    EXPECT_FALSE(emptying.unlockedAfter) << "the block was still locked when emptying freed it";

    Image saved;
    ASSERT_TRUE(decodeImageFile(folder_.pathOf("tmpimg00.png"), saved, true));
    const int rows = c.height < 0 ? -c.height : c.height;
    ASSERT_EQ(saved.width, c.width);
    ASSERT_EQ(saved.height, rows);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < c.width; ++x) {
            const uint32_t expected = colourAt(c, x, y) | (c.withAlpha ? 0 : 0xFF000000u);
            ASSERT_EQ(saved.at(x, y), expected) << x << ", " << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Formats, ClipboardDib,
                         testing::Values(DibCase{"Dib24BitsOddWidth", CF_DIB, 7, 5, 24, false},
                                         DibCase{"Dib8BitsWithPalette", CF_DIB, 9, 4, 8, false},
                                         DibCase{"Dib1x1", CF_DIB, 1, 1, 24, false},
                                         DibCase{"DibV5StraightAlpha", CF_DIBV5, 6, 3, 32, true},
                                         DibCase{"DibV5AlphaTopDown", CF_DIBV5, 5, -4, 32, true}),
                         NamedAfterRow());

// 10000x10000 at 24 bits is 300 MB on the clipboard: it is saved whole, or,
// should memory run out on the way, nothing changes.
TEST_F(ClipboardDib, AHugeDibIsSavedOrChangesNothing) {
    const DibCase huge = {"huge", CF_DIB, 10000, 10000, 24, false};
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                                sizeof(BITMAPINFOHEADER) + size_t(30000) * 10000);
    ASSERT_NE(block, nullptr) << "no memory for the test itself";
    auto* info = static_cast<BITMAPINFOHEADER*>(GlobalLock(block));
    *info = {sizeof *info, huge.width, huge.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    GlobalUnlock(block);
    ASSERT_TRUE(putOnClipboard(CF_DIB, block));
    const DWORD sequence = GetClipboardSequenceNumber();

    ASSERT_EQ(saveClipboardImageToTempFile(), ClipboardAttempt::Done);
    if (folder_.files().empty()) {
        EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
        EXPECT_EQ(snipState.tempFileCounter, 0);
        return;
    }
    EXPECT_EQ(clipboardText(), folder_.pathOf("tmpimg00.png"));
    const std::vector<unsigned char> start = fileStart(folder_.pathOf("tmpimg00.png"), 24);
    ASSERT_EQ(start.size(), 24u);
    // The PNG header's width and height, big-endian, at bytes 16 and 20.
    EXPECT_EQ((start[16] << 24 | start[17] << 16 | start[18] << 8 | start[19]), 10000);
    EXPECT_EQ((start[20] << 24 | start[21] << 16 | start[22] << 8 | start[23]), 10000);
}

}  // namespace
