// The brush's sample of any block: each channel of the mean lies within the
// range of the block's non-white colours (black for an all-white block), the
// threshold lies between 0 and 512, and below that cap the sample's own
// block is whitened entirely.
//
// Input: the block's colours, four bytes each, repeated when the input is
// shorter. A colour whose top byte has its low bit set reads as pure white,
// and one with a top byte of 0xFF as a read outside the display
// (0xFFFFFFFF), so that both turn up often.
#include "fuzz_check.h"
#include "overlay/brush_math_logic.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr uint32_t OutsideDisplay = 0xFFFFFFFF;

uint32_t colourFrom(const uint8_t* b) {
    if (b[3] == 0xFF) return OutsideDisplay;
    if (b[3] & 1) return PureWhite;
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16;
}

int channel(uint32_t colour, int shift) { return int((colour >> shift) & 0xFF); }

void checkMeanInRange(const uint32_t (&block)[BrushBlockPixels], const BrushSample& sample) {
    const int means[] = {sample.red, sample.green, sample.blue};
    for (int c = 0; c < 3; ++c) {
        int low = 255, high = 0;
        bool anyCounted = false;
        for (uint32_t colour : block) {
            if (colour == PureWhite) continue;
            anyCounted = true;
            low = std::min(low, channel(colour, 8 * c));
            high = std::max(high, channel(colour, 8 * c));
        }
        if (!anyCounted) low = high = 0;
        FUZZ_REQUIRE(means[c] >= low && means[c] <= high);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size < 4) return 0;
    uint32_t block[BrushBlockPixels];
    const size_t colours = size / 4;
    for (size_t i = 0; i < BrushBlockPixels; ++i) block[i] = colourFrom(bytes + 4 * (i % colours));

    const BrushSample sample = sampleBrushBlock(block);
    checkMeanInRange(block, sample);
    FUZZ_REQUIRE(sample.threshold >= 0 && sample.threshold <= MaxSampleThreshold);
    if (sample.threshold < MaxSampleThreshold)
        for (uint32_t colour : block) FUZZ_REQUIRE(isWithinSample(colour, sample));
    return 0;
}
