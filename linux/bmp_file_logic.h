// The screen picture that the companion hands Grabnik, as a BMP file:
// Grabnik loads a BMP as it stands, without the image codecs, so that a
// freeze from the portal's picture costs no decoding inside the session.
// The companion decodes straight into the file's pixel rows; these are the
// parts around that, plain bytes in and out, so that they are unit tested.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The headers of a 32-bit BMP file (no compression) of `width` x `height`
// pixels, whose rows follow them the bottom row first, each pixel blue,
// green, red and a fourth byte that is not read, zero as a screen read
// leaves it. Empty when the pixels are too many for a BMP, or none.
std::string bmpHeaders(uint32_t width, uint32_t height);
constexpr size_t BmpHeadersSize = 14 + 40;  // BITMAPFILEHEADER, BITMAPINFOHEADER

// Blue, green, red and alpha pixels composited over black in place, as a
// screen has no transparency; the alpha byte becomes the unread zero.
void compositeOverBlack(uint8_t* bgra, size_t pixels);
