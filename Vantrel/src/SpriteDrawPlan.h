// How one sprite draw is done: where it goes (a DrawTarget: pixels, pitch
// and clip), which plan draws it, and carrying that plan out. The classic
// entry points (RLSpriteDraw.cpp) fill the target from the surface, the
// screen width and the current viewport; the canvas draw (Canvas.cpp) from
// the canvas. Both then take the same two steps: PlaceSprite, DrawPlaced.
//
// Internal to the drawing code.
#ifndef VANTREL_SPRITE_DRAW_PLAN_H
#define VANTREL_SPRITE_DRAW_PLAN_H

#include <cstddef>
#include <cstdint>

#include <Vantrel/Canvas.h>
#include <Vantrel/Pixel.h>
#include <Vantrel/RLSpriteData.h>
#include <Vantrel/Rect.h>
#include "SpriteWalk.h"

struct RLSpriteIndex;

namespace sprite_draw {

// Pixels a draw may write: clip, which lies inside the pixels (0 <= left,
// right < the width, 0 <= top, bottom < the height), at pitch pixels a row.
struct DrawTarget {
    Pixel16* pixels = nullptr;
    int64_t pitch = 0;
    Rect clip;
};

// The ways a sprite is drawn. PlaceSprite picks one from where the sprite
// lies against the clip, its pitch against the target's, and its drawing
// index (SpriteIndex.h); DrawPlaced carries it out. "Records" are the edge
// records, drawn in the opaque and holes modes only, always after the runs.
// "At pitch": bound to the target's pitch.
//
//   plan            when                          runs                 records
//   kWhole          inside the clip, at pitch,    every run, counts    all, eight at a time
//                   indexed                       from the index       (at distinct pixels)
//   kWholeUnindexed inside the clip, at pitch,    every run, each      all, one by one
//                   no index                      after the one before
//   kRows           cut by the clip's top or      the visible rows'    the visible rows',
//                   bottom only, at pitch,        runs, uncut          eight at a time
//                   indexed
//   kRowsAndColumns cut by the clip's left or     the visible rows'    the visible rows',
//                   right side, at pitch,         runs, each cut to    clipped by their
//                   indexed                       the visible columns  cells in the index
//   kCut            crossing the clip with no     every run, each cut  all, each tested
//                   index, or at another pitch    to its row's columns against the clip
//
// The whole plans trust the sprite's pixels to lie inside its bounds (the
// loaders check this; the index checked it); every other plan writes only
// inside the clip whatever the sprite holds.
enum class DrawPlan : uint8_t { kWhole, kWholeUnindexed, kRows, kRowsAndColumns, kCut };

// One draw, placed.
struct Placement {
    DrawPlan plan = DrawPlan::kCut;
    Rect rect;     // the sprite's screen rectangle, each side held to 32 bits
    Rect visible;  // rect cut to the clip
    Pixel16* pixels = nullptr;
    ptrdiff_t origin = 0;          // the whole plans: pixel index of the sprite's origin
    sprite_walk::ClipFrame frame;  // the other plans
    const RLSpriteIndex* index = nullptr;
};

// The sprite's screen rectangle with its hot spot at (x, y), each side held
// to the 32-bit range.
Rect ScreenRect(int32_t x, int32_t y, const RLSprite& sprite);

// Places the sprite's hot spot at (x, y) on the target: fills p.rect always,
// and the rest with the plan when there is something to draw. False when there
// is not: the sprite is not bound (boundPitch 0), the target has no pixels,
// or the sprite's rectangle (or the clip) is empty or misses the clip.
bool PlaceSprite(const DrawTarget& target, int32_t x, int32_t y, const RLSprite& sprite,
                 Placement& p);

// Draws a placed sprite in mode; the holes take their positions from
// holesSeed (the library's random generator arithmetic, Random.h), which they
// advance. Builds the blend tables first for the blended modes.
void DrawPlaced(const Placement& p, const RLSprite& sprite, vantrel::DrawMode mode,
                uint32_t& holesSeed);

}  // namespace sprite_draw

#endif
