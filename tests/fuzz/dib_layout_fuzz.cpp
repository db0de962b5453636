// Where a clipboard DIB's alpha pixels lie: any header, however malformed,
// either is refused or gives rows that lie wholly inside the block, after
// the header and its colour table, one row of four-byte pixels apart.
#include "export/dib_layout_logic.h"
#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    DibHeaderFields header;
    // Mostly plausible values, so that the fuzzer reaches the accepted layouts.
    header.size = data.ConsumeBool() ? DibV5HeaderSize : data.ConsumeIntegral<uint32_t>();
    header.width = data.ConsumeIntegral<int32_t>();
    header.height = data.ConsumeIntegral<int32_t>();
    header.planes = data.ConsumeBool() ? 1 : data.ConsumeIntegral<uint16_t>();
    header.bitCount = data.ConsumeBool() ? 32 : data.ConsumeIntegral<uint16_t>();
    header.compression = data.ConsumeIntegralInRange<uint32_t>(0, 4);
    const bool usualMasks = data.ConsumeBool();
    header.redMask = usualMasks ? 0x00FF0000u : data.ConsumeIntegral<uint32_t>();
    header.greenMask = usualMasks ? 0x0000FF00u : data.ConsumeIntegral<uint32_t>();
    header.blueMask = usualMasks ? 0x000000FFu : data.ConsumeIntegral<uint32_t>();
    header.alphaMask = data.ConsumeBool() ? 0xFF000000u : data.ConsumeIntegral<uint32_t>();
    header.colorsUsed = data.ConsumeIntegral<uint32_t>();
    const size_t blockSize = data.ConsumeIntegral<size_t>();

    AlphaPixelRows rows;
    if (!locateAlphaPixels(header, blockSize, &rows)) return 0;

    FUZZ_REQUIRE(header.bitCount == 32 && header.planes == 1 && header.alphaMask == 0xFF000000u);
    FUZZ_REQUIRE(rows.width == header.width && rows.width > 0 && rows.height > 0);
    FUZZ_REQUIRE(int64_t(rows.height) == std::llabs(int64_t(header.height)));
    FUZZ_REQUIRE(int64_t(std::llabs(rows.stride)) == int64_t(rows.width) * 4);
    FUZZ_REQUIRE((rows.stride < 0) == (header.height > 0));  // bottom-up rows
    const uint64_t rowBytes = uint64_t(rows.width) * 4;
    const uint64_t pixelsStart = uint64_t(header.size) + uint64_t(header.colorsUsed) * 4;
    // The top and bottom rows, and so every row between, lie after the
    // header and colour table and end within the block.
    const int64_t top = int64_t(rows.topRowOffset);
    const int64_t bottom = top + int64_t(rows.height - 1) * rows.stride;
    for (const int64_t row : {top, bottom}) {
        FUZZ_REQUIRE(row >= 0 && uint64_t(row) >= pixelsStart);
        FUZZ_REQUIRE(uint64_t(row) + rowBytes <= blockSize);
    }
    return 0;
}
