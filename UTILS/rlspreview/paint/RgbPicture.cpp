#include "RgbPicture.h"

#include <cstddef>

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

RgbPicture SurfaceToPicture(const Pixel16* surface, int32_t pitch, int32_t left, int32_t top,
                            int32_t width, int32_t height) {
    RgbPicture picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<size_t>(width) * height * 3);
    size_t at = 0;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const Pixel16 p = surface[static_cast<size_t>(top + y) * pitch + left + x];
            picture.rgb[at++] = Widen(p, PixelMode.redShift, PixelMode.redBits);
            picture.rgb[at++] = Widen(p, PixelMode.greenShift, PixelMode.greenBits);
            picture.rgb[at++] = Widen(p, PixelMode.blueShift, PixelMode.blueBits);
        }
    return picture;
}

RgbPicture ScalePicture(const RgbPicture& picture, int scale) {
    if (scale <= 1) return picture;
    RgbPicture big;
    big.width = picture.width * scale;
    big.height = picture.height * scale;
    big.rgb.resize(static_cast<size_t>(big.width) * big.height * 3);
    for (int32_t y = 0; y < big.height; ++y)
        for (int32_t x = 0; x < big.width; ++x) {
            const size_t from = (static_cast<size_t>(y / scale) * picture.width + x / scale) * 3;
            const size_t to = (static_cast<size_t>(y) * big.width + x) * 3;
            for (int c = 0; c < 3; ++c) big.rgb[to + c] = picture.rgb[from + c];
        }
    return big;
}
