// The whitening brush's arithmetic over one 16x16 block of colours.
// Platform-free, so that it is unit tested natively; overlay/brush.cpp reads
// and writes the pixels.
#pragma once

#include <cstdint>

// The block for a cursor at (x, y): columns x-8 to x+7, rows y-8 to y+7,
// visited row by row, each row left to right.
constexpr int BrushBlockSide = 16;
constexpr int BrushBlockReach = 8;  // pixels left of and above the cursor
constexpr int BrushBlockPixels = BrushBlockSide * BrushBlockSide;

// Colours as the platform's pixel reads return them: red in bits 0-7, green
// in 8-15, blue in 16-23. A read outside the display gives 0xFFFFFFFF, which
// is not pure white: it counts as a colour with every channel at 255.
constexpr uint32_t PureWhite = 0x00FFFFFF;
constexpr int MaxSampleThreshold = 512;

struct BrushSample {
    int red, green, blue;  // mean of the block's non-white colours
    int threshold;         // largest squared distance from the mean, capped
};

// Squared distance in red, green and blue between a colour and the mean.
int colourDistance(uint32_t colour, const BrushSample& sample);

// The mean of the non-white colours (truncated; black when every colour is
// pure white), and the largest distance of any of the colours, white ones
// included, from that mean, capped at MaxSampleThreshold.
BrushSample sampleBrushBlock(const uint32_t (&colours)[BrushBlockPixels]);

// Whether whitening turns this colour white: within the tolerance, inclusive.
bool isWithinSample(uint32_t colour, const BrushSample& sample);
