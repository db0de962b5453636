#include "snip_png.h"

#include <cstdlib>

#include "core/snip_state.h"
#include "core/win_holders.h"
#include "image_writer.h"
#include "png_format.h"

namespace {

// The snip's bitmap on the clipboard while its PNG is on offer. Never ours
// to delete: the clipboard deletes it when its contents are destroyed, and
// tells its owner first with WM_DESTROYCLIPBOARD, after which it is never
// read. Only the message-loop thread touches it.
HBITMAP offeredBitmap = nullptr;

// The PNG file of the bitmap's pixels, fully opaque, in a new movable block;
// null when it cannot be made.
HGLOBAL encodeOpaquePng(HBITMAP bitmap) {
    BITMAP facts = {};
    if (!GetObjectA(bitmap, sizeof facts, &facts)) return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = facts.bmWidth;
    info.bmiHeader.biHeight = -facts.bmHeight;  // rows from the top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const size_t count = size_t(facts.bmWidth) * size_t(facts.bmHeight);
    // Read here, on request, not when the snip was handed over: a snip
    // that nobody pastes as a PNG never pays for it.
    auto* rows = static_cast<BYTE*>(std::malloc(count * 4));
    if (!rows) return nullptr;
    HGLOBAL png = nullptr;
    const WindowDC screen(nullptr);
    if (GetDIBits(screen, bitmap, 0, UINT(facts.bmHeight), rows, &info, DIB_RGB_COLORS) ==
        facts.bmHeight) {
        // The bitmap's alpha bytes are undefined; the PNG is fully opaque.
        for (size_t i = 0; i < count; ++i) rows[i * 4 + 3] = 0xFF;
        const AlphaPixels opaque = {facts.bmWidth, facts.bmHeight, facts.bmWidth * 4, rows};
        png = encodeImageBlock(BitmapImage(opaque), L".png");
    }
    std::free(rows);
    return png;
}

}  // namespace

void offerSnipPng(HBITMAP onClipboard) {
    // A null handle: the PNG is made on WM_RENDERFORMAT, if ever asked for.
    // The call returns that null handle whether the offer was taken or not.
    SetClipboardData(pngClipboardFormat(), nullptr);
    offeredBitmap = onClipboard;
}

void renderSnipPng(UINT format) {
    if (format != pngClipboardFormat() || !offeredBitmap) return;
    HGLOBAL png = encodeOpaquePng(offeredBitmap);
    // Ownership hand-over: the clipboard keeps a block it takes; a refused
    // one is still ours.
    if (!png) return;
    if (!SetClipboardData(format, png)) {
        GlobalFree(png);
        return;
    }
    // The PNG is on the clipboard now: nothing will ask for it again.
    forgetSnipPng();
}

void renderSnipPngBeforeExit() {
    if (!offeredBitmap) return;
    {
        const ClipboardScope clipboard(snipState.mainWindow);
        // Another program may have emptied and taken the clipboard since:
        // its contents are not ours to add to.
        if (clipboard.isOpen() && GetClipboardOwner() == snipState.mainWindow)
            renderSnipPng(pngClipboardFormat());
    }
    forgetSnipPng();
}

void forgetSnipPng() { offeredBitmap = nullptr; }
