// A bitmap whose pixels the program addresses directly.
#pragma once

#include <windows.h>

#include <cstdint>

// A new 32-bit DIB section of `width` by `height` pixels, its rows from the
// top down, each pixel 0x00RRGGBB, compatible with `reference` (null: the
// screen). `*pixels`, unless `pixels` is null, is its first row. Null, and
// no rows, when it cannot be made. The caller's to delete.
HBITMAP createPixelSection(HDC reference, int width, int height, uint32_t** pixels);

// The first row of a bitmap that createPixelSection made, its drawing
// flushed, with its size in `*width` and `*height` (rows of `*width` pixels,
// no padding); null for any other bitmap.
const uint32_t* pixelSectionRows(HBITMAP bitmap, int* width, int* height);
