// Whether a memory block holds a PNG file that the file hotkey may write as
// it is: what another program put on the clipboard as "PNG" (a Linux
// program's copied image arrives under Wine in that form alone). Platform-
// free, so that any block, however malformed, is unit tested natively and
// fuzzed.
#pragma once

#include <cstddef>
#include <cstdint>

// What the check found in a block it accepts.
struct PngExtent {
    uint32_t width;
    uint32_t height;
    size_t length;  // bytes from the signature to the end of IEND: the file
};

// The decoded image's 32-bit rows must stay addressable by the codecs'
// signed 32-bit sizes: width * height * 4 bytes at most 2^31 - 1.
constexpr uint64_t PngLargestDecodedBytes = 0x7FFFFFFFu;

// True, with the extent, when the `size` bytes at `bytes` begin with the PNG
// signature and a valid IHDR (width and height from 1, a bit depth its
// colour type allows, the only compression and filter methods, no or Adam7
// interlace), followed by chunks that each lie wholly inside the block, at
// least one IDAT, up to IEND. Bytes after IEND are not part of the file (a
// clipboard block may be rounded up). Only the block is read.
bool checkPngBlock(const unsigned char* bytes, size_t size, PngExtent* extent);
