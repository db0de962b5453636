#include "portal_picture.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "bmp_file_logic.h"
#include "portal_request_logic.h"

namespace {

// Wider and taller than any desktop of several monitors, and small enough
// that the pixels fit a BMP.
constexpr png_uint_32 LargestSide = 32767;

struct PngReader {
    const std::vector<char>& bytes;
    size_t at;
};

void readPngBytes(png_structp png, png_bytep out, png_size_t count) {
    auto* reader = static_cast<PngReader*>(png_get_io_ptr(png));
    if (count > reader->bytes.size() - reader->at) png_error(png, "truncated");
    std::memcpy(out, reader->bytes.data() + reader->at, count);
    reader->at += count;
}

// The PNG as a BMP file's bytes (bmp_file_logic.h), its rows decoded
// straight into the file's. Only 8 bits a channel, and no gamma or colour
// conversion asked for, so that every pixel is exactly what the file holds.
// Empty when the bytes are no PNG that this reads so.
std::string bmpOfPng(const std::vector<char>& bytes) {
    if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8))
        return {};
    // Quiet: a PNG this cannot read is handed on as it came, for Grabnik's
    // codecs, and is no error of the companion's.
    png_structp png = png_create_read_struct(
        PNG_LIBPNG_VER_STRING, nullptr,
        [](png_structp failed, png_const_charp) { png_longjmp(failed, 1); },
        [](png_structp, png_const_charp) {});
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return {};
    }
    PngReader reader{bytes, 0};
    std::string bmp;
    // libpng reports a damaged file by jumping back here.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return {};
    }
    png_set_read_fn(png, &reader, readPngBytes);
    png_set_user_limits(png, LargestSide, LargestSide);
    png_read_info(png, info);
    if (png_get_bit_depth(png, info) > 8) png_error(png, "16 bits a channel");
    const bool transparency = (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) ||
                              png_get_valid(png, info, PNG_INFO_tRNS);
    png_set_expand(png);  // a palette, fewer bits, a transparent colour
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);  // the unread byte, where the file has no alpha
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const size_t rowBytes = size_t(width) * 4;
    if (png_get_rowbytes(png, info) != rowBytes) png_error(png, "unexpected layout");
    bmp = bmpHeaders(width, height);
    if (bmp.empty()) png_error(png, "too large for a BMP");
    bmp.resize(BmpHeadersSize + rowBytes * height);
    auto* pixels = reinterpret_cast<png_bytep>(&bmp[BmpHeadersSize]);
    for (int pass = 0; pass < passes; ++pass)
        for (png_uint_32 row = 0; row < height; ++row)
            png_read_row(png, pixels + rowBytes * (height - 1 - row), nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    if (transparency) compositeOverBlack(pixels, size_t(width) * height);
    return bmp;
}

std::string prefixFolder() {
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix && *prefix) return prefix;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine";
}

}  // namespace

bool movePictureIntoPrefix(const std::string& file, std::string& windowsPath) {
    std::ifstream portalFile(file, std::ios::binary);
    if (!portalFile) {
        std::fprintf(stderr,
                     "grabnik-companion: the screenshot %s cannot be read (%s); "
                     "nothing is frozen.\n",
                     file.c_str(), std::strerror(errno));
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(portalFile), {}};
    portalFile.close();
    std::remove(file.c_str());

    // Decoded here, natively: Grabnik takes a BMP without its image codecs,
    // which under Wine took longer to decode and convert the picture (about
    // 36 ms of a press at 1024x768) than this takes.
    const std::string bmp = bmpOfPng(bytes);
    const char* inDriveC = bmp.empty() ? HandedPictureInDriveC : HandedBitmapInDriveC;
    const std::string handed = prefixFolder() + "/drive_c/" + inDriveC;
    std::ofstream prefixFile(handed, std::ios::binary | std::ios::trunc);
    if (bmp.empty())
        prefixFile.write(bytes.data(), std::streamsize(bytes.size()));
    else
        prefixFile.write(bmp.data(), std::streamsize(bmp.size()));
    prefixFile.close();
    if (!prefixFile) {
        std::fprintf(stderr,
                     "grabnik-companion: the screenshot cannot be written to %s; "
                     "nothing is frozen.\n",
                     handed.c_str());
        return false;
    }
    windowsPath = driveCPath(inDriveC);
    return true;
}
