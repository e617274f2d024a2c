// Pixel access shared by the frame analysis and the encoder's pixel rules of
// the tools (internal to frames/): addresses, colours and the RGB565
// value of 24-bit pixels, with no bounds checks of their own.
#ifndef UTILS_COMMON_FRAMES_FRAME_PIXELS_H
#define UTILS_COMMON_FRAMES_FRAME_PIXELS_H

#include <cstddef>
#include <cstdint>

#include "frames/FrameAnalysis.h"

namespace frame_pixels {

inline bool Inside(const FrameImage& image, int32_t x, int32_t y) {
    return image.pixels != nullptr && x >= 0 && y >= 0 && x < image.width && y < image.height;
}

inline const uint8_t* PixelAt(const FrameImage& image, int32_t x, int32_t y) {
    return image.pixels +
           3 * (static_cast<size_t>(x) + static_cast<size_t>(y) * static_cast<size_t>(image.width));
}

inline uint32_t ColourAt(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
}

inline bool IsBlackAt(const uint8_t* p) {
    return (p[0] | p[1] | p[2]) == 0;
}

// RgbTo565NonBlack, inlined for the per-pixel loops: truncation, except that a
// colour with any light never becomes 0.
inline Pixel16 ValueOfChannels(uint32_t r, uint32_t g, uint32_t b) {
    const uint32_t value = ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
    const uint32_t dim = (r != 0 ? 0x0800u : 0u) | (g != 0 ? 0x0020u : 0u) | (b != 0 ? 1u : 0u);
    return static_cast<Pixel16>(value != 0 ? value : dim);
}

inline Pixel16 ValueOfColour(uint32_t colour) {
    return ValueOfChannels(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF);
}

// Whether the whole row of pixels left..right at y lies in the image.
inline bool RowInside(const FrameImage& image, int32_t y, int32_t left, int32_t right) {
    return image.pixels != nullptr && y >= 0 && y < image.height && left >= 0 &&
           right < image.width;
}

}  // namespace frame_pixels

#endif
