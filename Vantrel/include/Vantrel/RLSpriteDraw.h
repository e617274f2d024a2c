// Drawing bound RLSprites onto a 16-bit surface through CurrentViewport (the
// classic face; Canvas.h draws onto a canvas of any size and pitch with the
// same paths).
//
// DrawRLSprite copies a sprite's runs and blends its edge records into the
// background (optionally leaving random holes in the runs); DrawRLSpriteBlend
// draws only the runs, a quarter of the sprite over three quarters of the
// background, or added with per-channel saturation. Both place the sprite's
// hot spot at (x, y), clip to the current viewport's area cut to the surface,
// and return their own static rectangle (the sprite's whole screen rectangle,
// not cut) or null when nothing was drawn: no current viewport, no surface on
// it, a null surface or sprite, a sprite that is not bound, or a sprite
// wholly outside the clip. The returned rectangle is not added to the dirty
// list (DirtyRects.h): that is the game's to do.
//
// The surface is ScreenWidth() pixels per row. What is guaranteed and what is
// trusted:
// - A sprite that is not bound (boundPitch 0: loaded with pitch 0 and never
//   given to BindRLSprite) is never drawn, whatever its words hold. A sprite
//   laid out bound by hand is drawn once its boundPitch is set (and
//   IndexRLSprite called, for speed).
// - A sprite the loaders accepted (every run pixel and edge record inside
//   bounds, relative to the hot spot) never writes outside the surface,
//   wherever it is drawn and through any viewport; clipping is exact to the
//   pixel, including runs that start left of the surface on the clip's top row.
// - A sprite bound to its boundPitch is drawn whole, without per-run tests,
//   only when its rectangle lies inside the clip and boundPitch is the
//   surface width; a hand-made sprite whose pixels leave its bounds is then
//   the caller's care. Every other draw cuts each run and edge record to the
//   clip (a sprite bound to another pitch has its rows split at its own
//   pitch) and so never writes outside the clip for any sprite data at all.
// - Runs are taken to follow scan order, as the loaders insist: a draw that
//   cuts the sprite stops at the first run below the clip and leaves out a run
//   that steps back to an earlier row. Edge records are drawn in any order.
// How a draw is done is one of a few plans (the table in src/SpriteDrawPlan.h);
// a sprite bound by BindRLSprite usually carries an index (RLSprite.h,
// IndexRLSprite) that the fastest plans need; a sprite without one, or whose
// index no longer matches it, is drawn the same way pixel for pixel without it.
// The clamp tables are built on the first blended draw; the masks of a layout
// other than 565 and 555 are taken from PixelMode on every draw. A sprite
// bound while no pixel layout was selected (PixelMode all zero) holds only
// black pixels and draws black: select the layout (Pixel.h) before loading.
// Nothing is reported.
//
// Drawing runs on one thread, as the viewport globals, the returned static
// rectangles and the random holes (the library's generator, Random.h) imply;
// loaders and the encoder may work on other threads meanwhile (RLSprite.h),
// and canvas draws may run on several (Canvas.h).
#ifndef VANTREL_RLSPRITE_DRAW_H
#define VANTREL_RLSPRITE_DRAW_H

#include <cstdint>

#include "Pixel.h"
#include "RLSprite.h"
#include "Rect.h"

// Draws the sprite opaque, its edge records blended; with holes, each run (or
// its visible span) keeps up to 16 random background pixels (RandomBelow).
Rect* DrawRLSprite(Pixel16* surface, int32_t x, int32_t y, const RLSprite* sprite, bool holes);

// Draws the sprite's runs translucent, or additive; edge records are left out.
Rect* DrawRLSpriteBlend(Pixel16* surface, int32_t x, int32_t y, const RLSprite* sprite,
                        bool additive);

// rect = (x + bounds.left, y + bounds.top, x + bounds.right, y + bounds.bottom),
// each held to the 32-bit range; true when it meets the current clip rectangle
// (the current viewport's area cut to the surface).
bool SpriteScreenRect(int32_t x, int32_t y, const RLSprite* sprite, Rect& rect);

#endif
