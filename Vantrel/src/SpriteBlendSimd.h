// Vector versions of the blended spans (SpriteSpans.h) for the 565 and 555
// layouts, and of the edge records' blend for every layout, where the
// processor has the instructions. Each blends a leading part of count pixels
// from src (16-bit pixels back to back, any alignment) into dst, or of count
// records, and returns how many it did, a multiple of 8 (0 where no vector
// unit is used); the caller blends the rest. The build picks the source file
// for the target processor.
//
// Internal to the drawing code.
#ifndef VANTREL_SPRITE_BLEND_SIMD_H
#define VANTREL_SPRITE_BLEND_SIMD_H

#include <cstddef>
#include <cstdint>

#include <Vantrel/Pixel.h>

// The channel-wise saturating add.
int32_t AddPixels565Simd(Pixel16* dst, const unsigned char* src, int32_t count);
int32_t AddPixels555Simd(Pixel16* dst, const unsigned char* src, int32_t count);

// Three quarters of the background plus a quarter of the sprite, each channel
// shifted down on its own (low bits dropped); quarter is the layout's mask of
// what survives the shift.
int32_t TranslucentPixelsSimd(Pixel16* dst, const unsigned char* src, int32_t count,
                              uint16_t quarter);

// count edge records (SpriteEdges.h) at distinct pixels, each at
// surface[origin + its offset]; half, quarter and eighth are the layout's
// masks of what survives each shift.
int32_t BlendEdgesSimd(Pixel16* surface, ptrdiff_t origin, const uint32_t* edge, int32_t count,
                       uint16_t half, uint16_t quarter, uint16_t eighth);

#endif
