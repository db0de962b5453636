// Picture files as bytes, for the tests of the Linux side: what the X
// clipboard hands out and what the companion hands Grabnik.
#pragma once

#include <string>
#include <vector>

// Pixels as 0xRRGGBB, the top row first; empty (zero width) when there
// was nothing to read.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned long> pixels;
};

// A BMP file as the X clipboard hands it out (24 or 32 bits a pixel); empty
// when the bytes are no such picture.
Picture decodeBmp(const std::string& bytes);
// The same for a PNG file's bytes, through libpng; empty when they are no
// PNG it reads.
Picture decodePng(const std::string& bytes);
// The picture as a PNG file's bytes, through libpng; empty on failure.
std::string encodePng(const Picture& picture);

// A file's bytes; empty when it cannot be read.
std::string fileBytes(const std::string& path);
