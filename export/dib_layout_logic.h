// Where the pixels of a 32-bit device-independent bitmap with an alpha
// channel lie in its memory block, as another program put it on the
// clipboard (CF_DIBV5). Platform-free: the header's fields come in as plain
// values, so that any header, however malformed, is unit tested natively.
#pragma once

#include <cstddef>
#include <cstdint>

// The header's fields that decide the layout (BITMAPV5HEADER's names).
struct DibHeaderFields {
    uint32_t size;  // bV5Size: bytes of the header
    int32_t width;
    int32_t height;  // negative when the rows run from the top down
    uint16_t planes;
    uint16_t bitCount;
    uint32_t compression;  // 0 BI_RGB, 3 BI_BITFIELDS
    uint32_t redMask, greenMask, blueMask, alphaMask;
    uint32_t colorsUsed;  // entries of an optional colour table before the pixels
};

// Rows of pixels 0xAARRGGBB, four bytes each, `stride` bytes from one row to
// the one below it (negative for rows stored from the bottom up).
struct AlphaPixelRows {
    int width;
    int height;
    int stride;
    size_t topRowOffset;  // from the start of the block
};

// Bytes of a BITMAPV5HEADER.
constexpr uint32_t DibV5HeaderSize = 124;

// True, with the rows, when the header describes 32-bit pixels in byte
// order blue, green, red, alpha (BI_BITFIELDS with exactly those masks, or
// BI_RGB with that alpha mask) that lie wholly inside a block of
// `blockSize` bytes; false for any other layout or any inconsistent value.
bool locateAlphaPixels(const DibHeaderFields& header, size_t blockSize, AlphaPixelRows* rows);
