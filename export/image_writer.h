// Writes a bitmap to a file through the platform's image codecs, the format
// chosen by the file name's extension.
#pragma once

#include <windows.h>

// The codecs' start-up, shared by the whole process. The codecs start lazily
// inside a save and shut down when the last BitmapImage ends, or at exit.
// The lock is recursive and guards the other two fields, so that the count,
// the start and the shut-down stay consistent even for callers on several
// threads.
struct CodecStartup {
    CRITICAL_SECTION lock;
    ULONG_PTR token;  // 0 while the codecs are not started
    int imageCount;   // BitmapImage objects alive now

    CodecStartup();
    ~CodecStartup();
    CodecStartup(const CodecStartup&) = delete;
    CodecStartup& operator=(const CodecStartup&) = delete;
};

extern CodecStartup codecStartup;

// Pixels 0xAARRGGBB with straight (not premultiplied) alpha, `stride` bytes
// from the top row to the next (negative for rows stored bottom up).
struct AlphaPixels {
    int width;
    int height;
    int stride;
    const BYTE* topRow;
};

// One image to save: a bitmap, or pixels with alpha. It never owns them (a
// null bitmap is allowed): its end leaves them to their owner, but the end
// of the last one alive shuts the codecs down.
class BitmapImage {
public:
    explicit BitmapImage(HBITMAP bitmap);
    explicit BitmapImage(const AlphaPixels& pixels);
    ~BitmapImage();
    BitmapImage(const BitmapImage&) = delete;
    BitmapImage& operator=(const BitmapImage&) = delete;

    HBITMAP bitmap() const { return bitmap_; }
    // Null topRow when the image is a bitmap.
    const AlphaPixels& pixels() const { return pixels_; }

private:
    HBITMAP bitmap_;
    AlphaPixels pixels_;
};

// Saves the image to `path` with the encoder that lists the path's
// extension, without palette or encoder parameters; the image is only read.
// S_OK when the file was written; E_FAIL when the codecs cannot start or
// list their encoders, no encoder lists the extension, or they cannot make
// or write the image (a null bitmap, say); E_OUTOFMEMORY when scratch memory
// cannot be had.
HRESULT saveImageFile(const BitmapImage& image, const wchar_t* path);

// The image as the file the encoder that lists `extension` (".png", say)
// writes, in a new movable block of exactly the file's bytes, the caller's
// to hand on or free; null when the codecs cannot make it.
HGLOBAL encodeImageBlock(const BitmapImage& image, const wchar_t* extension);

// Reads a picture file through the same codecs: a new opaque 32-bit bitmap,
// the caller's to delete, or null when the file cannot be read or decoded.
HBITMAP loadImageFile(const wchar_t* path);
