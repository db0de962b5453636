// A memory context with a 32-bit top-down DIB section selected into it: the
// frozen picture and its snapshot are kept this way, so that the drawing
// functions can use the context and the pixels can be read and written in
// place.
#pragma once

#include <windows.h>

#include <cstdint>

struct PixelSurface {
    HDC dc;          // the bitmap is always selected into it
    HBITMAP bitmap;  // owned with the context; see BitmapContext
    uint32_t* pixels;  // row by row from the top, 0x00RRGGBB, as wide as the bitmap
};
