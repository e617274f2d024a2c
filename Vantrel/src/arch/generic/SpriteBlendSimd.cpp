// Processors without a vector version: every pixel goes the portable way.
#include "SpriteBlendSimd.h"

int32_t AddPixels565Simd(Pixel16*, const unsigned char*, int32_t) {
    return 0;
}
int32_t AddPixels555Simd(Pixel16*, const unsigned char*, int32_t) {
    return 0;
}
int32_t TranslucentPixelsSimd(Pixel16*, const unsigned char*, int32_t, uint16_t) {
    return 0;
}
int32_t BlendEdgesSimd(Pixel16*, ptrdiff_t, const uint32_t*, int32_t, uint16_t, uint16_t,
                       uint16_t) {
    return 0;
}
