#include "bmp_file_logic.h"

namespace {

void putLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += char(value >> (8 * i) & 0xFF);
}

}  // namespace

std::string bmpHeaders(uint32_t width, uint32_t height) {
    const uint64_t pixelBytes = uint64_t(width) * height * 4;
    // The header's sizes are 32 bits, its width and height signed.
    if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX ||
        pixelBytes > UINT32_MAX - BmpHeadersSize)
        return {};
    std::string headers = "BM";
    putLittleEndian(headers, uint32_t(BmpHeadersSize + pixelBytes), 4);
    putLittleEndian(headers, 0, 4);  // reserved
    putLittleEndian(headers, BmpHeadersSize, 4);
    putLittleEndian(headers, 40, 4);
    putLittleEndian(headers, width, 4);
    putLittleEndian(headers, height, 4);  // positive: the bottom row comes first
    putLittleEndian(headers, 1, 2);       // planes
    putLittleEndian(headers, 32, 2);      // bits a pixel
    putLittleEndian(headers, 0, 4);       // BI_RGB
    putLittleEndian(headers, uint32_t(pixelBytes), 4);
    putLittleEndian(headers, 2835, 4);  // 72 dots an inch, in dots a metre
    putLittleEndian(headers, 2835, 4);
    putLittleEndian(headers, 0, 4);  // colours used
    putLittleEndian(headers, 0, 4);  // colours important
    return headers;
}

void compositeOverBlack(uint8_t* bgra, size_t pixels) {
    for (uint8_t* pixel = bgra; pixel < bgra + pixels * 4; pixel += 4) {
        const unsigned alpha = pixel[3];
        for (int channel = 0; channel < 3; ++channel)
            pixel[channel] = uint8_t(pixel[channel] * alpha / 255);
        pixel[3] = 0;
    }
}
