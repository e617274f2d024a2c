// Writes and reads RGB pictures as PNG files through libpng's simplified
// interface. Failures are returned, not reported.
#ifndef RLSPREVIEW_PNG_FILE_H
#define RLSPREVIEW_PNG_FILE_H

#include <cstdint>
#include <string>
#include <vector>

#include <Vantrel/Pixel.h>

// width x height pixels of the surface (pitch pixels per row, active layout)
// as 8-bit RGB, each channel's bits repeated into the low bits.
bool WriteSurfacePng(const std::string& path, const Pixel16* surface, int32_t pitch, int32_t width,
                     int32_t height);

struct RgbPicture {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> rgb;  // three bytes per pixel, rows top to bottom
};
bool ReadPng(const std::string& path, RgbPicture& picture);

#endif
