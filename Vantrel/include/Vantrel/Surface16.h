// Filling and copying on 16-bit surfaces.
//
// A surface is ScreenWidth() x ScreenHeight() pixels, rows top to bottom, no
// padding (ScreenGeometry.h). Rectangles are inclusive; an empty one (right <
// left or bottom < top) touches nothing.
//
// No operation here touches a pixel outside its surfaces: FillRect16 and
// CopyRect16 cut their rectangle to the surface on every side (a rectangle
// wholly outside does nothing), and ScrollCopy512 takes the current
// viewport's area cut to the surface (with no current viewport it does
// nothing). Inside the surface every pixel is as the rectangle says. A null
// surface does nothing. CopyRect16 copies rows with memmove, so the
// destination may be the source. Nothing here reports failure.
#ifndef VANTREL_SURFACE16_H
#define VANTREL_SURFACE16_H

#include <cstdint>

#include "Pixel.h"
#include "Rect.h"

// Writes n copies of colour (nothing when n <= 0), in 32-bit units where it can.
void FillRun16(Pixel16* destination, Pixel16 colour, int32_t n);

void FillRect16(Pixel16* surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
                Pixel16 colour);
void FillRect16(Pixel16* surface, const Rect& rect, Pixel16 colour);

// Copies the rectangle from source to the same place on destination.
void CopyRect16(Pixel16* destination, const Pixel16* source, int32_t left, int32_t top,
                int32_t right, int32_t bottom);
void CopyRect16(Pixel16* destination, const Pixel16* source, const Rect& rect);

// The wrap-around background: 512 x 512 pixels, 1024 bytes per row.
constexpr int32_t kScrollBackgroundSize = 512;

// Fills the current viewport's area of destination from the background,
// starting at background column x, row y (both taken modulo 512) for the
// area's top-left pixel; the background wraps in both directions. Every
// destination row receives exactly the area's width, whatever the width and x.
void ScrollCopy512(Pixel16* destination, const Pixel16* background, int32_t x, int32_t y);

#endif
