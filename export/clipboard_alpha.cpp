#include "clipboard_alpha.h"

#include <cstring>

#include "dib_layout_logic.h"

namespace {

DibHeaderFields headerFields(const BITMAPV5HEADER& header) {
    return {header.bV5Size,     header.bV5Width,       header.bV5Height,  header.bV5Planes,
            header.bV5BitCount, header.bV5Compression, header.bV5RedMask, header.bV5GreenMask,
            header.bV5BlueMask, header.bV5AlphaMask,   header.bV5ClrUsed};
}

// A 32-bit image whose alpha bytes are all 0 means no alpha at all: many
// programs leave that byte unused.
bool anyAlpha(const AlphaPixels& pixels) {
    for (int y = 0; y < pixels.height; ++y) {
        const BYTE* row = pixels.topRow + ptrdiff_t(y) * pixels.stride;
        for (int x = 0; x < pixels.width; ++x)
            if (row[x * 4 + 3]) return true;
    }
    return false;
}

}  // namespace

UINT originalImageFormat() {
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format))
        if (format == CF_BITMAP || format == CF_DIB || format == CF_DIBV5) return format;
    return 0;
}

AlphaPixels clipboardAlphaPixels(const LockedMemory& block) {
    const AlphaPixels none = {0, 0, 0, nullptr};
    const auto* bytes = static_cast<const BYTE*>(block.data());
    if (!bytes || block.size() < sizeof(BITMAPV5HEADER)) return none;
    BITMAPV5HEADER header;
    std::memcpy(&header, bytes, sizeof header);  // the block need not be aligned for it
    AlphaPixelRows rows;
    if (!locateAlphaPixels(headerFields(header), block.size(), &rows)) return none;
    const AlphaPixels pixels = {rows.width, rows.height, rows.stride, bytes + rows.topRowOffset};
    return anyAlpha(pixels) ? pixels : none;
}
