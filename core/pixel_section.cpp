#include "pixel_section.h"

HBITMAP createPixelSection(HDC reference, int width, int height, uint32_t** pixels) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: the rows run from the top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (pixels) *pixels = bitmap ? static_cast<uint32_t*>(bits) : nullptr;
    return bitmap;
}

const uint32_t* pixelSectionRows(HBITMAP bitmap, int* width, int* height) {
    DIBSECTION section = {};
    if (GetObjectA(bitmap, sizeof section, &section) != int(sizeof section) ||
        !section.dsBm.bmBits || section.dsBmih.biBitCount != 32 || section.dsBmih.biHeight >= 0)
        return nullptr;
    // Drawing into the section may still be queued; its bits are read
    // directly, past the queue.
    GdiFlush();
    *width = section.dsBm.bmWidth;
    *height = section.dsBm.bmHeight;
    return static_cast<const uint32_t*>(section.dsBm.bmBits);
}
