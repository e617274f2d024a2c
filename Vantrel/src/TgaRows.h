// Conversion of stored TGA pixel rows into Rgb24Image rows (R, G, B), used by
// the TGA readers. Stored pixels are B, G, R (depth 24), B, G, R, x (depth 32)
// or one grey byte (depth 8). The conversions run once per pixel of every
// image read, so the 24- and 32-bit ones work on several pixels per step
// (plain shifts and masks on 64- and 32-bit words) on little-endian hosts and
// byte by byte elsewhere; all give the same bytes.
#ifndef VANTREL_TGA_ROWS_H
#define VANTREL_TGA_ROWS_H

#include <cstdint>

// Converts count stored pixels at in into count R, G, B pixels at out. in and
// out must not overlap.
void ConvertBgrxPixels(const uint8_t* in, uint8_t* out, int64_t count);  // depth 32
void ConvertGreyPixels(const uint8_t* in, uint8_t* out, int64_t count);  // depth 8

// Depth 24 in place: turns count B, G, R pixels at pixels into R, G, B.
void SwapBgrPixels(uint8_t* pixels, int64_t count);
// Depth 24 in place, for two different rows of count pixels each: row a gets
// row b's pixels converted and row b gets row a's (a bottom-up image is
// flipped and converted in one pass).
void SwapBgrRows(uint8_t* a, uint8_t* b, int64_t count);

#endif
