// The file hotkey's check of a "PNG" block: any bytes are either refused or
// give a file that starts with the signature and IHDR, ends with an empty
// IEND inside the block, has dimensions the codecs can hold, and is refused
// again once cut short by even one byte.
#include "export/png_header_logic.h"
#include "fuzz_check.h"

#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    // The input as it is: libFuzzer's buffer has exactly its size, so a read
    // past the block is reported by the sanitizer.
    PngExtent extent;
    if (!checkPngBlock(bytes, size, &extent)) return 0;

    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    FUZZ_REQUIRE(extent.length <= size && extent.length >= 8 + 25 + 12 + 12);
    FUZZ_REQUIRE(std::memcmp(bytes, signature, 8) == 0);
    FUZZ_REQUIRE(std::memcmp(bytes + 12, "IHDR", 4) == 0);
    FUZZ_REQUIRE(std::memcmp(bytes + extent.length - 8, "IEND", 4) == 0);
    FUZZ_REQUIRE(extent.width > 0 && extent.height > 0);
    FUZZ_REQUIRE(uint64_t(extent.width) * extent.height * 4 <= PngLargestDecodedBytes);

    // The file alone, in a block of its own size, is the same file; one
    // byte less is not a file at all.
    std::vector<unsigned char> file(bytes, bytes + extent.length);
    PngExtent again;
    FUZZ_REQUIRE(checkPngBlock(file.data(), file.size(), &again) && again.length == extent.length);
    file.pop_back();
    FUZZ_REQUIRE(!checkPngBlock(file.data(), file.size(), &again));
    return 0;
}
