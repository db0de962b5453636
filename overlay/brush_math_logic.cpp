#include "brush_math_logic.h"

#include <algorithm>

namespace {

int red(uint32_t colour) { return int(colour & 0xFF); }
int green(uint32_t colour) { return int((colour >> 8) & 0xFF); }
int blue(uint32_t colour) { return int((colour >> 16) & 0xFF); }

int square(int value) { return value * value; }

}  // namespace

int colourDistance(uint32_t colour, const BrushSample& sample) {
    // At most 3 * 255^2: no overflow in 32 bits.
    return square(red(colour) - sample.red) + square(green(colour) - sample.green) +
           square(blue(colour) - sample.blue);
}

BrushSample sampleBrushBlock(const uint32_t (&colours)[BrushBlockPixels]) {
    BrushSample sample = {0, 0, 0, 0};
    int counted = 0;
    for (uint32_t colour : colours) {
        // Already whitened pixels must not pull the mean towards white.
        if (colour == PureWhite) continue;
        sample.red += red(colour);
        sample.green += green(colour);
        sample.blue += blue(colour);
        ++counted;
    }
    if (counted != 0) {
        sample.red /= counted;
        sample.green /= counted;
        sample.blue /= counted;
    }
    for (uint32_t colour : colours)
        sample.threshold = std::max(sample.threshold, colourDistance(colour, sample));
    sample.threshold = std::min(sample.threshold, MaxSampleThreshold);
    return sample;
}

bool isWithinSample(uint32_t colour, const BrushSample& sample) {
    return colourDistance(colour, sample) <= sample.threshold;
}
