// A window over every monitor that the test driver paints itself, so that every
// pixel that the program copies or draws can be checked exactly: every pixel
// has a colour of its own, except in a few uniform blocks for the brush.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "driver.h"

namespace e2e {

// The pattern's colour at (x, y), as the platform's colour values: distinct
// for every pixel of a screen up to 2048 by 1024, never pure white.
uint32_t patternColour(int x, int y);

// The colour value with every channel inverted, as an inverted frame shows it.
constexpr uint32_t inverted(uint32_t colour) { return colour ^ 0x00FFFFFF; }

struct UniformBlock {
    RECT area;  // right and bottom exclusive
    uint32_t colour;
};

// The window lives on a thread of its own that keeps answering its messages,
// so that it repaints whenever the platform asks, whatever the test is doing.
class Background {
public:
    // Later blocks are painted over earlier ones.
    explicit Background(std::vector<UniformBlock> blocks = {});
    ~Background();
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

    // Waits until the screen shows exactly this background.
    bool waitShown(DWORD timeoutMs = 5000) const;
    uint32_t colourAt(int x, int y) const;
    // Brings the window to the front, making the test program the active one.
    void activate() const;

private:
    void run(HANDLE ready);

    std::vector<UniformBlock> blocks_;
    std::thread thread_;
    HWND window_ = nullptr;
};

// Empty when every pixel of the image, placed at (left, top) on the screen,
// has the expected colour; else the first wrong pixel and how many there are.
template <typename Expected>
std::string mismatches(const Image& image, int left, int top, Expected expected) {
    std::string first;
    int count = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint32_t want = expected(left + x, top + y);
            if (image.at(x, y) == want) continue;
            if (count++ == 0)
                first = "screen pixel (" + std::to_string(left + x) + ", " +
                        std::to_string(top + y) + ") is " + std::to_string(image.at(x, y)) +
                        ", expected " + std::to_string(want);
        }
    return count ? first + " (" + std::to_string(count) + " wrong pixels)" : "";
}

// Writes the screen as a BMP file into the folder named by the environment
// variable GRABNIK_PICTURES, when it is set; for the README's pictures.
void savePicture(const char* name);

}  // namespace e2e
