#include "dib_layout_logic.h"

#include <climits>

namespace {

constexpr uint32_t CompressionRgb = 0;
constexpr uint32_t CompressionBitfields = 3;

bool hasAlphaByteOrder(const DibHeaderFields& header) {
    if (header.alphaMask != 0xFF000000u) return false;
    if (header.compression == CompressionRgb) return true;
    return header.compression == CompressionBitfields && header.redMask == 0x00FF0000u &&
           header.greenMask == 0x0000FF00u && header.blueMask == 0x000000FFu;
}

}  // namespace

bool locateAlphaPixels(const DibHeaderFields& header, size_t blockSize, AlphaPixelRows* rows) {
    if (header.size < DibV5HeaderSize || header.planes != 1 || header.bitCount != 32) return false;
    if (!hasAlphaByteOrder(header)) return false;
    if (header.width <= 0 || header.width > INT_MAX / 4) return false;
    if (header.height == 0 || header.height == INT32_MIN) return false;
    const uint64_t height = uint64_t(header.height < 0 ? -int64_t(header.height) : header.height);
    const uint64_t stride = uint64_t(header.width) * 4;
    // In 64 bits none of these can overflow: each term is below 2^32 or a
    // product of two such.
    const uint64_t pixelsStart = uint64_t(header.size) + uint64_t(header.colorsUsed) * 4;
    if (pixelsStart > blockSize || stride * height > blockSize - pixelsStart) return false;

    rows->width = header.width;
    rows->height = int(height);
    const bool bottomUp = header.height > 0;
    rows->stride = bottomUp ? -int(stride) : int(stride);
    rows->topRowOffset = size_t(pixelsStart + (bottomUp ? (height - 1) * stride : 0));
    return true;
}
