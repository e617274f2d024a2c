// Row conversions of 24-bit frames for the encoder's pixel rules (internal to
// UTILS/common): a stretch of one image row becomes RGB565 values and bit
// masks, one bit per pixel, so that the neighbour and opacity tests of 64
// pixels take a few word operations.
//
// Bit i of a mask is bit i % 64 of word i / 64. Masks are given as arrays of
// MaskWords(count) words; bits past count are 0.
#ifndef UTILS_COMMON_FRAMES_FRAME_ROWS_H
#define UTILS_COMMON_FRAMES_FRAME_ROWS_H

#include <cstdint>

#include <Vantrel/Pixel.h>
#include "frames/FrameImage.h"

namespace frame_rows {

// Words of a mask of count bits, plus one zero word so that a mask can be
// read shifted by up to 63 bits without a bounds test.
inline int32_t MaskWords(int32_t count) {
    return count / 64 + 2;
}

// count pixels of R, G, B bytes: values[i] their RgbTo565NonBlack values, and
// bit i of lit set when pixel i is not black.
void RgbRowValues(const uint8_t* rgb, int32_t count, Pixel16* values, uint64_t* lit);

// count pixels of R, G, B bytes: bit i of lit set when pixel i is not black,
// bit i of white when it is pure white (255, 255, 255).
void RgbRowMasks(const uint8_t* rgb, int32_t count, uint64_t* lit, uint64_t* white);

// Columns from .. from + count - 1 of row y of the image: values and lit
// bits as RgbRowValues gives them, pixels outside the image (or of an absent
// image) being black, value 0.
void ImageRowValues(const FrameImage& image, int32_t y, int32_t from, int32_t count,
                    Pixel16* values, uint64_t* lit);

// kinds[i] = bit i of bits (0 or 1) for i < count.
void BitsToBytes(const uint64_t* bits, int32_t count, uint8_t* kinds);

}  // namespace frame_rows

#endif
