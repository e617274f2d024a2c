#include "PngFile.h"

#include <png.h>

#include <cstring>

namespace {

// A channel of `bits` bits at `shift` widened to 8 bits by repeating its top
// bits below it, so full intensity becomes 255.
uint8_t Widen(uint32_t pixel, int shift, int bits) {
    if (bits <= 0 || bits > 8 || shift < 0 || shift > 15) return 0;
    uint32_t v = (pixel >> shift) & ((1u << bits) - 1u);
    uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += bits) out = (out << bits) | v;
    return static_cast<uint8_t>(out >> (((8 + bits - 1) / bits) * bits - 8));
}

}  // namespace

bool WriteSurfacePng(const std::string& path, const Pixel16* surface, int32_t pitch, int32_t width,
                     int32_t height) {
    if (width <= 0 || height <= 0) return false;
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    size_t at = 0;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const Pixel16 p = surface[static_cast<size_t>(y) * pitch + x];
            rgb[at++] = Widen(p, PixelMode.redShift, PixelMode.redBits);
            rgb[at++] = Widen(p, PixelMode.greenShift, PixelMode.greenBits);
            rgb[at++] = Widen(p, PixelMode.blueShift, PixelMode.blueBits);
        }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    const int ok = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), width * 3, nullptr);
    png_image_free(&image);
    return ok != 0;
}

bool ReadPng(const std::string& path, RgbPicture& picture) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return false;
    image.format = PNG_FORMAT_RGB;
    if (image.width > 16384 || image.height > 16384) {
        png_image_free(&image);
        return false;
    }
    picture.width = static_cast<int32_t>(image.width);
    picture.height = static_cast<int32_t>(image.height);
    picture.rgb.assign(PNG_IMAGE_SIZE(image), 0);
    const int ok = png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr);
    png_image_free(&image);
    return ok != 0;
}
