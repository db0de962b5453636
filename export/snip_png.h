// The snip's PNG: offered on the clipboard beside its bitmap and made only
// when a program asks for it (delayed rendering), so that a snip costs no
// encoding unless someone pastes it as a PNG. Browsers and chat programs
// take a PNG where they take no bitmap, and Wine hands it to X programs as
// image/png.
#pragma once

#include <windows.h>

// The snip's pixels, copied from its bitmap before the clipboard takes it:
// from then on the bitmap is the clipboard's, not ours to read, and the PNG
// is made from these. The bitmap is a pixel section (core/pixel_section.h),
// as the overlay's copy makes it; for any other, and when they cannot be
// had, invalid: the snip then goes without its PNG.
class SnipPixels {
public:
    SnipPixels() = default;  // none
    explicit SnipPixels(HBITMAP bitmap);
    ~SnipPixels();
    SnipPixels(const SnipPixels&) = delete;
    SnipPixels& operator=(const SnipPixels&) = delete;

    bool isValid() const { return rows_ != nullptr; }
    // Exchanges the pixels with `other`'s: how they are handed over.
    void swapWith(SnipPixels& other);
    // Sets every pixel's alpha byte: the bitmap's are undefined, and the
    // PNG is fully opaque. Then the rows as 0xAARRGGBB, top down.
    BYTE* opaqueRows();
    int width() const { return width_; }
    int height() const { return height_; }

private:
    int width_ = 0;
    int height_ = 0;
    BYTE* rows_ = nullptr;
};

// With the clipboard open and the snip's bitmap just put there, offers
// "PNG" beside it for rendering on request. Ownership hand-over: valid
// pixels are kept here until the clipboard's contents are destroyed or the
// PNG is made; `pixels` holds none afterwards.
void offerSnipPng(SnipPixels& pixels);

// WM_RENDERFORMAT: a program asks for the PNG; the clipboard is open for it.
void renderSnipPng(UINT format);
// WM_RENDERALLFORMATS: the overlay window is about to go, and with it the
// chance to render. Makes the PNG now, while the clipboard is still ours, so
// that a snip taken just before Grabnik ends still pastes as a PNG.
void renderSnipPngBeforeExit();
// WM_DESTROYCLIPBOARD: the contents the pixels were kept for are gone.
void releaseSnipPixels();
