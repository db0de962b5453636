#include "image_writer.h"

#include <objidl.h>  // the codec header needs IStream, left out by WIN32_LEAN_AND_MEAN

#include <gdiplus.h>

#include <cstdlib>
#include <memory>

#include "core/win_holders.h"
#include "encoder_match_logic.h"

using namespace Gdiplus::DllExports;

CodecStartup codecStartup;

namespace {

class CodecLock {
public:
    CodecLock() { EnterCriticalSection(&codecStartup.lock); }
    ~CodecLock() { LeaveCriticalSection(&codecStartup.lock); }
    CodecLock(const CodecLock&) = delete;
    CodecLock& operator=(const CodecLock&) = delete;
};

bool startCodecs() {
    CodecLock lock;
    if (codecStartup.token) return true;
    // Version 1, no debug callback, the codecs' own background thread and
    // external codecs both allowed.
    const Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    codecStartup.token = token;
    return true;
}

void shutDownCodecs() {
    CodecLock lock;  // recursive: the callers may hold it already
    if (codecStartup.token) Gdiplus::GdiplusShutdown(codecStartup.token);
    codecStartup.token = 0;
}

// Scratch memory for one save: a failed allocation is a result code here,
// never an exception (and array new would pull the C++ runtime's exception
// and terminate machinery into a program that has no other use for it).
struct FreeScratch {
    void operator()(void* memory) const { std::free(memory); }
};

template <class T>
std::unique_ptr<T[], FreeScratch> scratch(size_t count) {
    return std::unique_ptr<T[], FreeScratch>(static_cast<T*>(std::malloc(count * sizeof(T))));
}

struct CodecImageDisposer {
    void operator()(Gdiplus::GpBitmap* image) const { GdipDisposeImage(image); }
};

}  // namespace

CodecStartup::CodecStartup() : token(0), imageCount(0) { InitializeCriticalSection(&lock); }

CodecStartup::~CodecStartup() {
    shutDownCodecs();
    DeleteCriticalSection(&lock);
}

BitmapImage::BitmapImage(HBITMAP bitmap) : bitmap_(bitmap), pixels_() {
    CodecLock lock;
    ++codecStartup.imageCount;
}

BitmapImage::BitmapImage(const AlphaPixels& pixels) : bitmap_(nullptr), pixels_(pixels) {
    CodecLock lock;
    ++codecStartup.imageCount;
}

BitmapImage::~BitmapImage() {
    CodecLock lock;
    if (--codecStartup.imageCount == 0) shutDownCodecs();
}

namespace {

// The codecs' image of ours: over the pixels in place when there are pixels
// (GDI+ reads them there without a copy, a negative stride included), else
// made from the bitmap's handle with no palette.
Gdiplus::GpStatus createCodecImage(const BitmapImage& image, Gdiplus::GpBitmap** created) {
    const AlphaPixels& pixels = image.pixels();
    if (!pixels.topRow) return GdipCreateBitmapFromHBITMAP(image.bitmap(), nullptr, created);
    return GdipCreateBitmapFromScan0(pixels.width, pixels.height, pixels.stride,
                                     PixelFormat32bppARGB,
                                     const_cast<BYTE*>(pixels.topRow),  // only read
                                     created);
}

// The encoder that lists `extension`: S_OK with its class; E_FAIL when the
// codecs cannot start or list their encoders, or none lists it;
// E_OUTOFMEMORY when scratch memory cannot be had.
HRESULT findEncoder(const wchar_t* extension, CLSID* encoderClass) {
    if (!startCodecs()) return E_FAIL;

    UINT encoderCount = 0;
    UINT listBytes = 0;
    if (GdipGetImageEncodersSize(&encoderCount, &listBytes) != Gdiplus::Ok) return E_FAIL;
    auto listMemory = scratch<BYTE>(listBytes);
    if (!listMemory) return E_OUTOFMEMORY;
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(listMemory.get());
    if (GdipGetImageEncoders(encoderCount, listBytes, encoders) != Gdiplus::Ok) return E_FAIL;

    const int encoder = chooseEncoder(extension, int(encoderCount),
                                      [&](int i) { return encoders[i].FilenameExtension; });
    if (encoder < 0) return E_FAIL;
    *encoderClass = encoders[encoder].Clsid;
    return S_OK;
}

using CodecImage = std::unique_ptr<Gdiplus::GpBitmap, CodecImageDisposer>;

// Encodes the image with the encoder for `extension` through `write`, which
// is given the codecs' image and the encoder's class and says whether it
// wrote. S_OK, or what findEncoder says, or E_FAIL when the image cannot be
// made or written.
template <class Write>
HRESULT encodeImage(const BitmapImage& image, const wchar_t* extension, Write write) {
    CLSID encoderClass;
    const HRESULT found = findEncoder(extension, &encoderClass);
    if (found != S_OK) return found;
    Gdiplus::GpBitmap* created = nullptr;
    const Gdiplus::GpStatus made = createCodecImage(image, &created);
    const CodecImage codecImage(created);
    if (made != Gdiplus::Ok || !codecImage) return E_FAIL;
    return write(codecImage.get(), encoderClass) ? S_OK : E_FAIL;
}

}  // namespace

HRESULT saveImageFile(const BitmapImage& image, const wchar_t* path) {
    return encodeImage(
        image, findExtension(path), [&](Gdiplus::GpBitmap* codecImage, const CLSID& encoderClass) {
            return GdipSaveImageToFile(codecImage, path, &encoderClass, nullptr) == Gdiplus::Ok;
        });
}

HGLOBAL encodeImageBlock(const BitmapImage& image, const wchar_t* extension) {
    // The stream grows its own block; the block outlives the stream, and is
    // ours once the stream is released.
    ComPointer<IStream> stream;
    if (CreateStreamOnHGlobal(nullptr, FALSE, reinterpret_cast<IStream**>(stream.out())) != S_OK)
        return nullptr;
    HGLOBAL block = nullptr;
    if (GetHGlobalFromStream(stream.get(), &block) != S_OK) return nullptr;
    STATSTG written = {};
    const HRESULT encoded = encodeImage(
        image, extension, [&](Gdiplus::GpBitmap* codecImage, const CLSID& encoderClass) {
            return GdipSaveImageToStream(codecImage, stream.get(), &encoderClass, nullptr) ==
                       Gdiplus::Ok &&
                   stream->Stat(&written, STATFLAG_NONAME) == S_OK;
        });
    // The stream may have grown the block past the file's end: a block of
    // exactly the file, as a program reading it expects.
    HGLOBAL exact = encoded == S_OK
                        ? GlobalReAlloc(block, SIZE_T(written.cbSize.QuadPart), GMEM_MOVEABLE)
                        : nullptr;
    if (!exact) GlobalFree(block);
    return exact;
}

HBITMAP loadImageFile(const wchar_t* path) {
    // Counts as an image while it decodes: the codecs shut down after it
    // when no other image is alive.
    const BitmapImage decoding(nullptr);
    if (!startCodecs()) return nullptr;
    Gdiplus::GpBitmap* decoded = nullptr;
    const Gdiplus::GpStatus status = GdipCreateBitmapFromFile(path, &decoded);
    // Disposed before the return, which lets go of the file too.
    const CodecImage codecImage(decoded);
    if (status != Gdiplus::Ok || !codecImage) return nullptr;
    HBITMAP bitmap = nullptr;
    // Opaque black under any transparency: a screen has none.
    if (GdipCreateHBITMAPFromBitmap(codecImage.get(), &bitmap, 0xFF000000) != Gdiplus::Ok)
        return nullptr;
    return bitmap;
}
