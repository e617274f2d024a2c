// Vector versions of the frame row conversions (FrameRows.h), where the
// processor has the instructions. Each converts a leading part of the pixels
// and returns how many it did (0 where no vector unit is used); the caller
// converts the rest and has cleared the masks beforehand.
// The build picks the source file for the target processor.
#ifndef UTILS_COMMON_FRAMES_FRAME_ROWS_SIMD_H
#define UTILS_COMMON_FRAMES_FRAME_ROWS_SIMD_H

#include <cstdint>

int32_t RgbRowValuesSimd(const uint8_t* rgb, int32_t count, uint16_t* values, uint64_t* lit);
int32_t RgbRowMasksSimd(const uint8_t* rgb, int32_t count, uint64_t* lit, uint64_t* white);

#endif
