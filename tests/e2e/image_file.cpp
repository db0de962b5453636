#include "image_file.h"

#include <objidl.h>  // the codec header needs IStream

#include <gdiplus.h>

#include <algorithm>
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

bool decodeImageFile(const std::string& path, Image& image) {
    const Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    bool decoded = false;
    const std::wstring widePath(path.begin(), path.end());
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
                const auto* row =
                    reinterpret_cast<const uint32_t*>(static_cast<const BYTE*>(data.Scan0) +
                                                      INT_PTR(y) * data.Stride);
                for (UINT x = 0; x < width; ++x)  // 0xAARRGGBB to a colour value
                    image.pixels.push_back(
                        RGB((row[x] >> 16) & 0xFF, (row[x] >> 8) & 0xFF, row[x] & 0xFF));
            }
            GdipBitmapUnlockBits(bitmap, &data);
            decoded = true;
        }
        GdipDisposeImage(bitmap);
    }
    Gdiplus::GdiplusShutdown(token);
    return decoded;
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<unsigned char> fileStart(const std::string& path, size_t count) {
    std::vector<unsigned char> bytes(count);
    std::ifstream file(path, std::ios::binary);
    file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(count));
    bytes.resize(size_t(file.gcount()));
    return bytes;
}

TempFolder::TempFolder(const std::string& tag) {
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    path_ = std::string(directory) + "grabnik-" + tag + "-" +
            std::to_string(GetCurrentProcessId()) + "\\";
    removeFolder(path_);  // left over by an earlier run that was cut short
    created_ = CreateDirectoryA(path_.c_str(), nullptr) != 0;
}

TempFolder::~TempFolder() { removeFolder(path_); }

std::vector<std::string> TempFolder::files() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path_ + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void removeFolder(const std::string& path) {
    std::string folder = path;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeFolder(folder + name);
            else
                DeleteFileA((folder + name).c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace e2e
