#include "snip_png.h"

#include <cstdlib>
#include <cstring>

#include "core/pixel_section.h"
#include "core/snip_state.h"
#include "core/win_holders.h"
#include "image_writer.h"
#include "png_format.h"

namespace {

// Only the message-loop thread touches it.
SnipPixels offeredPixels;

}  // namespace

SnipPixels::SnipPixels(HBITMAP bitmap) {
    int width = 0, height = 0;
    const uint32_t* source = pixelSectionRows(bitmap, &width, &height);
    if (!source) return;
    // A failed allocation is no error: the snip goes on without its PNG.
    const size_t bytes = size_t(width) * size_t(height) * 4;
    auto* rows = static_cast<BYTE*>(std::malloc(bytes));
    if (!rows) return;
    // A copy of memory, not a read through GDI: the hand-over stays as fast
    // as it was before the PNG was offered.
    std::memcpy(rows, source, bytes);
    width_ = width;
    height_ = height;
    rows_ = rows;
}

SnipPixels::~SnipPixels() { std::free(rows_); }

void SnipPixels::swapWith(SnipPixels& other) {
    const int width = width_, height = height_;
    BYTE* const rows = rows_;
    width_ = other.width_;
    height_ = other.height_;
    rows_ = other.rows_;
    other.width_ = width;
    other.height_ = height;
    other.rows_ = rows;
}

BYTE* SnipPixels::opaqueRows() {
    const size_t count = size_t(width_) * size_t(height_);
    for (size_t i = 0; i < count; ++i) rows_[i * 4 + 3] = 0xFF;
    return rows_;
}

void offerSnipPng(SnipPixels& pixels) {
    if (!pixels.isValid()) return;
    // A null handle: the PNG is made on WM_RENDERFORMAT, if ever asked for.
    // The call returns that null handle whether the offer was taken or not;
    // the pixels are kept either way, and released with the contents.
    SetClipboardData(pngClipboardFormat(), nullptr);
    offeredPixels.swapWith(pixels);
}

void renderSnipPng(UINT format) {
    if (format != pngClipboardFormat() || !offeredPixels.isValid()) return;
    const int width = offeredPixels.width();
    const AlphaPixels opaque = {width, offeredPixels.height(), width * 4,
                                offeredPixels.opaqueRows()};
    HGLOBAL png = encodeImageBlock(BitmapImage(opaque), L".png");
    // Ownership hand-over: the clipboard keeps a block it takes; a refused
    // one is still ours.
    if (!png) return;
    if (!SetClipboardData(format, png)) {
        GlobalFree(png);
        return;
    }
    // The PNG is on the clipboard now: nothing will ask for it again.
    releaseSnipPixels();
}

void renderSnipPngBeforeExit() {
    if (!offeredPixels.isValid()) return;
    {
        const ClipboardScope clipboard(snipState.mainWindow);
        // Another program may have emptied and taken the clipboard since:
        // its contents are not ours to add to.
        if (clipboard.isOpen() && GetClipboardOwner() == snipState.mainWindow)
            renderSnipPng(pngClipboardFormat());
    }
    releaseSnipPixels();
}

void releaseSnipPixels() {
    SnipPixels none;
    offeredPixels.swapWith(none);  // freed as `none` ends
}
