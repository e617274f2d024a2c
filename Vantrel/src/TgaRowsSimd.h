// Vector versions of the TGA row conversions (TgaRows.h), where the processor
// has the instructions. Each converts a leading part of the pixels and returns
// how many pixels it did (0 where no vector unit is used); the caller converts
// the rest. The build picks the source file for the target processor.
#ifndef VANTREL_TGA_ROWS_SIMD_H
#define VANTREL_TGA_ROWS_SIMD_H

#include <cstdint>

int64_t SwapBgrPixelsSimd(uint8_t* pixels, int64_t count);
int64_t SwapBgrRowsSimd(uint8_t* a, uint8_t* b, int64_t count);
int64_t ConvertBgrxPixelsSimd(const uint8_t* in, uint8_t* out, int64_t count);

#endif
