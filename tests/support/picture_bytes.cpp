#include "picture_bytes.h"

#include <png.h>

#include <fstream>
#include <iterator>

namespace {

unsigned littleEndian(const std::string& bytes, size_t at, size_t width) {
    unsigned value = 0;
    for (size_t i = width; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

}  // namespace

Picture decodeBmp(const std::string& bytes) {
    Picture picture;
    if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return picture;
    const unsigned offset = littleEndian(bytes, 10, 4);
    const int width = int(littleEndian(bytes, 18, 4));
    const int rawHeight = int(littleEndian(bytes, 22, 4));
    const unsigned bits = littleEndian(bytes, 28, 2);
    if ((bits != 24 && bits != 32) || width <= 0 || rawHeight == 0) return picture;
    // A positive height stores the bottom row first.
    const int height = rawHeight < 0 ? -rawHeight : rawHeight;
    const size_t stride = (size_t(width) * bits / 8 + 3) & ~size_t(3);
    if (offset + stride * size_t(height) > bytes.size()) return picture;
    picture.width = width;
    picture.height = height;
    for (int y = 0; y < height; ++y) {
        const size_t row = offset + stride * size_t(rawHeight < 0 ? y : height - 1 - y);
        for (int x = 0; x < width; ++x)
            picture.pixels.push_back(littleEndian(bytes, row + size_t(x) * bits / 8, 3));
    }
    return picture;
}

Picture decodePng(const std::string& bytes) {
    Picture picture;
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return picture;
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rows(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rows.data(), 0, nullptr)) return picture;
    picture.width = int(image.width);
    picture.height = int(image.height);
    for (size_t i = 0; i + 2 < rows.size(); i += 3)
        picture.pixels.push_back(rows[i] << 16 | rows[i + 1] << 8 | rows[i + 2]);
    return picture;
}

std::string encodePng(const Picture& picture) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(picture.width);
    image.height = png_uint_32(picture.height);
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rows;
    for (unsigned long pixel : picture.pixels)
        rows.insert(rows.end(),
                    {static_cast<unsigned char>(pixel >> 16),
                     static_cast<unsigned char>(pixel >> 8), static_cast<unsigned char>(pixel)});
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rows.data(), 0, nullptr)) return {};
    std::string bytes(size, '\0');
    if (!png_image_write_to_memory(&image, &bytes[0], &size, 0, rows.data(), 0, nullptr)) return {};
    bytes.resize(size);
    return bytes;
}

std::string fileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}
