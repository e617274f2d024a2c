// Drawing bound RLSprites onto a 16-bit surface through CurrentViewport.
//
// DrawRLSprite copies a sprite's runs and blends its edge records into the
// background (optionally leaving random holes in the runs); DrawRLSpriteBlend
// draws only the runs, a quarter of the sprite over three quarters of the
// background, or added with per-channel saturation. Both place the sprite's
// hot spot at (x, y), clip to the current viewport's area cut to the surface,
// and return their own static rectangle (the sprite's whole screen rectangle,
// not cut) or null when nothing was drawn: no current viewport, no surface on
// it, a null surface or sprite, or a sprite wholly outside the clip.
//
// The surface is ScreenWidth() pixels per row and the sprite must be bound
// (BindRLSprite) to that pitch. What is guaranteed and what is trusted:
// - A sprite the loaders accepted (every run pixel and edge record inside
//   bounds, relative to the hot spot) never writes outside the surface,
//   wherever it is drawn and through any viewport; clipping is exact to the
//   pixel, including runs that start left of the surface on the clip's top row.
// - A sprite rectangle that crosses the clip is drawn by the clipped routines,
//   which check every run and edge record and so never write outside the clip
//   for any sprite data at all.
// - Runs and edge records are taken to follow scan order, as the loaders
//   insist: the clipped routines stop at the first run below the clip, and
//   records in scan order are blended after the runs several at a time.
// - A sprite that lies wholly inside the clip is drawn without per-run tests:
//   a hand-made sprite whose pixels leave its bounds is the caller's care.
// - A sprite is drawn whole only when both its own boundPitch (where it is
//   not 0) and spritePitch equal the surface width. A sprite bound to another
//   pitch is always drawn by the clipped routines, its rows split at its own
//   pitch (spritePitch for a sprite with boundPitch 0), so it stays inside the
//   clip.
// The clamp tables are built on the first blended draw; the masks of a layout
// other than 565 and 555 are taken from PixelMode when first needed and again
// whenever PixelMode changes. Nothing is reported.
//
// Drawing runs on one thread, as the viewport globals, the returned static
// rectangles and the random holes imply; loaders and the encoder may work on
// other threads meanwhile (RLSprite.h). A sprite bound by BindRLSprite carries
// an index (per-run counts; per-row starts of the runs and edge records; the
// records' rows and columns) that lets the walks find runs without a chain of
// header reads, lets a clipped draw start at its first visible row and clip
// the records without following the rows; a sprite without one, or whose index
// no longer matches it, is drawn the same way pixel for pixel without it.
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
