// An 8-bit RGB picture, the form the preview's pictures are written in:
// taken from a region of the 16-bit surface, and enlarged by whole steps.
#ifndef RLSPREVIEW_RGB_PICTURE_H
#define RLSPREVIEW_RGB_PICTURE_H

#include <cstdint>
#include <vector>

#include <Vantrel/Pixel.h>

struct RgbPicture {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> rgb;  // three bytes per pixel, rows top to bottom
};

// The width x height pixels at (left, top) of a surface with pitch pixels a
// row (active layout), each channel's bits repeated into the low bits so
// that full intensity becomes 255.
RgbPicture SurfaceToPicture(const Pixel16* surface, int32_t pitch, int32_t left, int32_t top,
                            int32_t width, int32_t height);

// Every pixel becomes a scale x scale block (nearest neighbour).
RgbPicture ScalePicture(const RgbPicture& picture, int scale);

#endif
