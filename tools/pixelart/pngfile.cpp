#include "pixelart/pngfile.h"

#include <png.h>
#include <stdexcept>

namespace pixelart {

void savePng(const std::string& path, const Image& image, bool keyedAlpha) {
    std::vector<png_byte> bytes;
    bytes.reserve(image.pixels.size() * 4);
    for (const Rgb& c : image.pixels) {
        if (!keyedAlpha)
            bytes.insert(bytes.end(), {c.r, c.g, c.b});
        else if (c == kTransparent)
            bytes.insert(bytes.end(), {0, 0, 0, 0});
        else
            bytes.insert(bytes.end(), {c.r, c.g, c.b, 255});
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = keyedAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&png, path.c_str(), 0, bytes.data(), 0, nullptr))
        throw std::runtime_error("cannot write " + path + ": " + png.message);
}

Image loadPng(const std::string& path) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
        throw std::runtime_error("cannot read " + path + ": " + png.message);
    png.format = PNG_FORMAT_RGBA;
    std::vector<png_byte> bytes(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr))
        throw std::runtime_error("cannot read " + path + ": " + png.message);
    Image image(static_cast<int>(png.width), static_cast<int>(png.height));
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const png_byte* p = &bytes[4 * i];
        image.pixels[i] = p[3] == 0 ? kTransparent : Rgb{p[0], p[1], p[2]};
    }
    return image;
}

} // namespace pixelart
