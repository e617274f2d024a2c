// Painting on the preview's surface around the sprites: backgrounds, text in
// the preview's bitmap font, and the hot-spot and bounds overlays. All of it
// clipped to a rectangle; colours are RGB565 and converted to the active
// layout here.
#ifndef RLSPREVIEW_SHEET_PAINT_H
#define RLSPREVIEW_SHEET_PAINT_H

#include <cstdint>
#include <string>

#include <Vantrel/Pixel.h>
#include <Vantrel/RLSprite.h>
#include <Vantrel/Rect.h>

enum class Backdrop { kCheckers, kDarkCheckers, kPlain };

// Fills area; checkers are anchored at the area's top-left corner so that
// every cell looks alike.
void PaintBackdrop(Pixel16* surface, const Rect& area, Backdrop backdrop, Pixel16 plain);

// One line of text with its top-left corner at (x, y), clipped to clip.
void PaintText(Pixel16* surface, int32_t x, int32_t y, const std::string& text, Pixel16 rgb565,
               const Rect& clip);

// A cross centred on the hot spot at (x, y), and a box one pixel outside
// the sprite's bounds, clipped to clip.
void PaintHotSpotCross(Pixel16* surface, int32_t x, int32_t y, const Rect& clip);
void PaintBoundsBox(Pixel16* surface, int32_t x, int32_t y, const RLSprite& sprite,
                    const Rect& clip);

#endif
