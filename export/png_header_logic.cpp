#include "png_header_logic.h"

#include <cstring>

namespace {

constexpr unsigned char Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr size_t IhdrDataLength = 13;
// Length, type and CRC around each chunk's data.
constexpr size_t ChunkFrame = 12;
// A chunk's length field is at most 2^31 - 1.
constexpr uint32_t LargestChunkLength = 0x7FFFFFFFu;

uint32_t bigEndian(const unsigned char* at) {
    return uint32_t(at[0]) << 24 | uint32_t(at[1]) << 16 | uint32_t(at[2]) << 8 | uint32_t(at[3]);
}

bool isType(const unsigned char* chunk, const char (&type)[5]) {
    return std::memcmp(chunk + 4, type, 4) == 0;
}

// The bit depths that each colour type allows.
bool allowedDepth(unsigned colourType, unsigned depth) {
    switch (colourType) {
    case 0:  // grey
        return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3:  // palette
        return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:  // RGB
    case 4:  // grey and alpha
    case 6:  // RGBA
        return depth == 8 || depth == 16;
    default:
        return false;
    }
}

bool validHeader(const unsigned char* data, uint32_t width, uint32_t height) {
    if (width == 0 || height == 0 || width > LargestChunkLength || height > LargestChunkLength)
        return false;
    if (uint64_t(width) * height * 4 > PngLargestDecodedBytes) return false;
    // Bit depth, colour type, compression, filter, interlace.
    return allowedDepth(data[9], data[8]) && data[10] == 0 && data[11] == 0 && data[12] <= 1;
}

}  // namespace

bool checkPngBlock(const unsigned char* bytes, size_t size, PngExtent* extent) {
    if (size < sizeof Signature + ChunkFrame + IhdrDataLength) return false;
    if (std::memcmp(bytes, Signature, sizeof Signature) != 0) return false;
    const unsigned char* ihdr = bytes + sizeof Signature;
    if (bigEndian(ihdr) != IhdrDataLength || !isType(ihdr, "IHDR")) return false;
    const uint32_t width = bigEndian(ihdr + 8);
    const uint32_t height = bigEndian(ihdr + 12);
    if (!validHeader(ihdr + 8, width, height)) return false;

    bool sawData = false;
    size_t at = sizeof Signature + ChunkFrame + IhdrDataLength;
    // Each pass either returns or moves `at` forward by at least a frame
    // that lies inside the block, so the walk ends.
    for (;;) {
        if (size - at < ChunkFrame) return false;
        const uint32_t length = bigEndian(bytes + at);
        if (length > LargestChunkLength || length > size - at - ChunkFrame) return false;
        const unsigned char* chunk = bytes + at;
        at += ChunkFrame + length;
        if (isType(chunk, "IHDR")) return false;  // only one, and first
        if (isType(chunk, "IDAT")) sawData = true;
        if (!isType(chunk, "IEND")) continue;
        if (!sawData || length != 0) return false;
        *extent = {width, height, at};
        return true;
    }
}
