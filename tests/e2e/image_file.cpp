#include "image_file.h"

#include <objidl.h>  // the codec header needs IStream

#include <gdiplus.h>

#include <cstring>
#include <cwchar>
#include <fstream>

using namespace Gdiplus::DllExports;

namespace e2e {

Image testPattern(int width, int height, int seed) {
    Image image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels.push_back(RGB((x * 7 + seed * 31) & 0xFF, (y * 11 + seed * 17) & 0xFF,
                                       (x * y + seed * 5) & 0xFF));
    return image;
}

namespace {

// GDI+ for one helper call.
class Codecs {
public:
    Codecs() {
        const Gdiplus::GdiplusStartupInput input;
        started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    ~Codecs() {
        if (started_) Gdiplus::GdiplusShutdown(token_);
    }
    Codecs(const Codecs&) = delete;
    Codecs& operator=(const Codecs&) = delete;
    bool started() const { return started_; }

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

// The pixels of a decoded image, which this disposes of.
bool readDecoded(Gdiplus::GpBitmap* bitmap, Image& image, bool withAlpha) {
    UINT width = 0, height = 0;
    GdipGetImageWidth(bitmap, &width);
    GdipGetImageHeight(bitmap, &height);
    const Gdiplus::GpRect all(0, 0, INT(width), INT(height));
    Gdiplus::BitmapData data = {};
    bool decoded = false;
    if (GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) ==
        Gdiplus::Ok) {
        image.width = int(width);
        image.height = int(height);
        image.pixels.clear();
        for (UINT y = 0; y < height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(
                static_cast<const BYTE*>(data.Scan0) + INT_PTR(y) * data.Stride);
            for (UINT x = 0; x < width; ++x)  // 0xAARRGGBB to a colour value
                image.pixels.push_back(
                    RGB((row[x] >> 16) & 0xFF, (row[x] >> 8) & 0xFF, row[x] & 0xFF) |
                    (withAlpha ? row[x] & 0xFF000000u : 0));
        }
        GdipBitmapUnlockBits(bitmap, &data);
        decoded = true;
    }
    GdipDisposeImage(bitmap);
    return decoded;
}

// A stream over a copy of the bytes, or null.
IStream* streamOver(const std::vector<unsigned char>& bytes) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!block) return nullptr;
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    IStream* stream = nullptr;
    if (CreateStreamOnHGlobal(block, TRUE, &stream) != S_OK)
        GlobalFree(block);  // else the stream's
    return stream;
}

}  // namespace

bool decodeImageFile(const std::string& path, Image& image, bool withAlpha) {
    const Codecs codecs;
    Gdiplus::GpBitmap* bitmap = nullptr;
    return codecs.started() &&
           GdipCreateBitmapFromFile(widen(path).c_str(), &bitmap) == Gdiplus::Ok &&
           readDecoded(bitmap, image, withAlpha);
}

bool decodeImageBytes(const std::vector<unsigned char>& bytes, Image& image, bool withAlpha) {
    const Codecs codecs;
    IStream* stream = streamOver(bytes);
    if (!codecs.started() || !stream) {
        if (stream) stream->Release();
        return false;
    }
    Gdiplus::GpBitmap* bitmap = nullptr;
    const bool decoded = GdipCreateBitmapFromStream(stream, &bitmap) == Gdiplus::Ok &&
                         readDecoded(bitmap, image, withAlpha);
    stream->Release();
    return decoded;
}

std::vector<unsigned char> encodePng(const Image& image) {
    const Codecs codecs;
    UINT count = 0, size = 0;
    GdipGetImageEncodersSize(&count, &size);
    std::vector<BYTE> list(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(list.data());
    const Gdiplus::ImageCodecInfo* png = nullptr;
    if (codecs.started() && count && GdipGetImageEncoders(count, size, encoders) == Gdiplus::Ok)
        for (UINT i = 0; i < count; ++i)
            if (std::wcscmp(encoders[i].MimeType, L"image/png") == 0) png = &encoders[i];

    std::vector<unsigned char> bytes;
    HBITMAP bitmap = createBitmap(image);
    Gdiplus::GpBitmap* codecImage = nullptr;
    IStream* stream = nullptr;
    if (png && GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &codecImage) == Gdiplus::Ok &&
        CreateStreamOnHGlobal(nullptr, TRUE, &stream) == S_OK &&
        GdipSaveImageToStream(codecImage, stream, &png->Clsid, nullptr) == Gdiplus::Ok) {
        STATSTG facts = {};
        HGLOBAL block = nullptr;
        if (stream->Stat(&facts, STATFLAG_NONAME) == S_OK &&
            GetHGlobalFromStream(stream, &block) == S_OK) {
            const auto* start = static_cast<const unsigned char*>(GlobalLock(block));
            bytes.assign(start, start + facts.cbSize.QuadPart);
            GlobalUnlock(block);
        }
    }
    if (stream) stream->Release();
    if (codecImage) GdipDisposeImage(codecImage);
    DeleteObject(bitmap);
    return bytes;
}

bool writePngFile(const Image& image, const std::string& path) {
    const std::vector<unsigned char> bytes = encodePng(image);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return !bytes.empty() && file.good();
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring widen(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(
        size_t(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], int(wide.size()))));
    if (!wide.empty()) wide.pop_back();  // the null
    return wide;
}

std::vector<unsigned char> fileStart(const std::string& path, size_t count) {
    std::vector<unsigned char> bytes(count);
    std::ifstream file(path, std::ios::binary);
    file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(count));
    bytes.resize(size_t(file.gcount()));
    return bytes;
}

}  // namespace e2e
