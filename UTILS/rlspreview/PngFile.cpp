#include "PngFile.h"

#include <png.h>

#include <cstring>

bool WritePng(const std::string& path, const RgbPicture& picture) {
    if (picture.width <= 0 || picture.height <= 0) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_RGB;
    const int ok = png_image_write_to_file(&image, path.c_str(), 0, picture.rgb.data(),
                                           picture.width * 3, nullptr);
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
