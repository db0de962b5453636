// Image files and folders for the tests of the file hotkey: decoding what
// the program wrote.
#pragma once

#include <string>
#include <vector>

#include "driver.h"

namespace e2e {

// Pixels that differ from each other and from one `seed` to the next, so
// that a swapped row, a flipped image or a stale file shows.
Image testPattern(int width, int height, int seed);

// Decodes any image file the platform's codecs read; false when they cannot.
// With `withAlpha`, each pixel's alpha is in its top byte.
bool decodeImageFile(const std::string& path, Image& image, bool withAlpha = false);
// The same for an image file's bytes held in memory.
bool decodeImageBytes(const std::vector<unsigned char>& bytes, Image& image,
                      bool withAlpha = false);
// A PNG file's bytes holding exactly these pixels, made by the platform's
// codecs; empty when they cannot make it.
std::vector<unsigned char> encodePng(const Image& image);

// Writes the pixels as a PNG file through the platform's codecs.
bool writePngFile(const Image& image, const std::string& path);

bool fileExists(const std::string& path);
// The text in wide characters, through the ANSI code page.
std::wstring widen(const std::string& text);
std::vector<unsigned char> fileStart(const std::string& path, size_t count);

}  // namespace e2e
