// Processors without a vector version: everything goes the portable way.
#include "frames/FrameRowsSimd.h"

int32_t RgbRowValuesSimd(const uint8_t*, int32_t, uint16_t*, uint64_t*) {
    return 0;
}
int32_t RgbRowMasksSimd(const uint8_t*, int32_t, uint64_t*, uint64_t*) {
    return 0;
}
