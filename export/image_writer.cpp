#include "image_writer.h"

#include <objidl.h>  // the codec header needs IStream, left out by WIN32_LEAN_AND_MEAN

#include <gdiplus.h>

#include <cstdlib>
#include <memory>

#include "encoder_match.h"

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

BitmapImage::BitmapImage(HBITMAP bitmap) : bitmap_(bitmap) {
    CodecLock lock;
    ++codecStartup.imageCount;
}

BitmapImage::~BitmapImage() {
    CodecLock lock;
    if (--codecStartup.imageCount == 0) shutDownCodecs();
}

HRESULT saveImageFile(const BitmapImage& image, const char* path) {
    if (!startCodecs()) return E_FAIL;

    UINT encoderCount = 0;
    UINT listBytes = 0;
    if (GdipGetImageEncodersSize(&encoderCount, &listBytes) != Gdiplus::Ok) return E_FAIL;
    auto listMemory = scratch<BYTE>(listBytes);
    if (!listMemory) return E_OUTOFMEMORY;
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(listMemory.get());
    if (GdipGetImageEncoders(encoderCount, listBytes, encoders) != Gdiplus::Ok) return E_FAIL;

    // The whole path is converted before the extension is looked for: in a
    // multibyte code page a trail byte may look like a backslash, a wide
    // character never does. A multibyte text never needs more wide
    // characters than it has bytes.
    const int pathChars = lstrlenA(path) + 1;
    auto widePath = scratch<wchar_t>(size_t(pathChars));
    if (!widePath ||
        !MultiByteToWideChar(CP_THREAD_ACP, 0, path, pathChars, widePath.get(), pathChars))
        return E_OUTOFMEMORY;

    const int encoder = chooseEncoder(findExtension(widePath.get()), int(encoderCount),
                                      [&](int i) { return encoders[i].FilenameExtension; });
    if (encoder < 0) return E_FAIL;

    // Handed over as a handle with no palette: the codecs read the pixels.
    Gdiplus::GpBitmap* created = nullptr;
    const Gdiplus::GpStatus made = GdipCreateBitmapFromHBITMAP(image.bitmap(), nullptr, &created);
    const std::unique_ptr<Gdiplus::GpBitmap, CodecImageDisposer> codecImage(created);
    if (made != Gdiplus::Ok || !codecImage) return E_FAIL;
    if (GdipSaveImageToFile(codecImage.get(), widePath.get(), &encoders[encoder].Clsid, nullptr) !=
        Gdiplus::Ok)
        return E_FAIL;
    return S_OK;
}
