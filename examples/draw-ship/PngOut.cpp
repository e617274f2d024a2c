#include "PngOut.h"

#include <png.h>

#include <cstddef>
#include <vector>

bool WriteSurfacePng(const char* path, const Pixel16* surface, int width, int height) {
    std::vector<png_byte> rgb(static_cast<std::size_t>(width) * height * 3);
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
        int32_t r, g, b;
        PixelToRgb(surface[i], r, g, b);  // needs the layout's masks (SelectPixelLayout565)
        rgb[3 * i] = static_cast<png_byte>(r);
        rgb[3 * i + 1] = static_cast<png_byte>(g);
        rgb[3 * i + 2] = static_cast<png_byte>(b);
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path, 0, rgb.data(), 0, nullptr) != 0;
}
