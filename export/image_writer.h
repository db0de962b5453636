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

// One bitmap to save. It never owns the bitmap (null is allowed): its end
// leaves the bitmap to its owner, but the end of the last one alive shuts
// the codecs down.
class BitmapImage {
public:
    explicit BitmapImage(HBITMAP bitmap);
    ~BitmapImage();
    BitmapImage(const BitmapImage&) = delete;
    BitmapImage& operator=(const BitmapImage&) = delete;

    HBITMAP bitmap() const { return bitmap_; }

private:
    HBITMAP bitmap_;
};

// Saves the image to `path` (ANSI) with the encoder that lists the path's
// extension, without palette or encoder parameters; the bitmap is only read.
// S_OK when the file was written; E_FAIL when the codecs cannot start or
// list their encoders, no encoder lists the extension, or they cannot make
// or write the image (a null bitmap, say); E_OUTOFMEMORY when scratch memory
// cannot be had or the path cannot be converted to wide characters.
HRESULT saveImageFile(const BitmapImage& image, const char* path);
