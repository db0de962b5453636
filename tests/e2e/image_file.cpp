#include "image_file.h"

#include <objidl.h>  // the codec header needs IStream

#include <gdiplus.h>

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

bool decodeImageFile(const std::string& path, Image& image, bool withAlpha) {
    const Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    bool decoded = false;
    const std::wstring widePath = widen(path);
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromFile(widePath.c_str(), &bitmap) == Gdiplus::Ok) {
        UINT width = 0, height = 0;
        GdipGetImageWidth(bitmap, &width);
        GdipGetImageHeight(bitmap, &height);
        const Gdiplus::GpRect all(0, 0, INT(width), INT(height));
        Gdiplus::BitmapData data = {};
        if (GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB,
                               &data) == Gdiplus::Ok) {
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
    }
    Gdiplus::GdiplusShutdown(token);
    return decoded;
}

bool writePngFile(const Image& image, const std::string& path) {
    const Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    std::vector<uint32_t> argb;  // colour values to opaque 0xAARRGGBB
    for (uint32_t c : image.pixels)
        argb.push_back(0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF));
    UINT count = 0, bytes = 0;
    GdipGetImageEncodersSize(&count, &bytes);
    std::vector<BYTE> list(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(list.data());
    bool written = false;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (GdipGetImageEncoders(count, bytes, encoders) == Gdiplus::Ok &&
        GdipCreateBitmapFromScan0(image.width, image.height, image.width * 4, PixelFormat32bppARGB,
                                  reinterpret_cast<BYTE*>(argb.data()), &bitmap) == Gdiplus::Ok) {
        const std::wstring widePath = widen(path);
        for (UINT i = 0; i < count && !written; ++i)
            written = std::wstring(encoders[i].MimeType) == L"image/png" &&
                      GdipSaveImageToFile(bitmap, widePath.c_str(), &encoders[i].Clsid, nullptr) ==
                          Gdiplus::Ok;
        GdipDisposeImage(bitmap);
    }
    Gdiplus::GdiplusShutdown(token);
    return written;
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
