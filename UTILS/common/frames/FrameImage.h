// A view of a 24-bit image held elsewhere (by the tools' TGA reader, or a
// test's own buffer): width x height pixels of three bytes R, G, B, rows top
// to bottom, no padding. A null `pixels` means "no image".
#ifndef UTILS_COMMON_FRAMES_FRAME_IMAGE_H
#define UTILS_COMMON_FRAMES_FRAME_IMAGE_H

#include <cstdint>

struct FrameImage {
    uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
};

#endif
