// RLSprite in memory: one picture as horizontal runs of opaque 16-bit pixels,
// a list of feathered edge pixels, a hot spot and a bounding rectangle; the
// layout of its run and edge words. Its file record, loading and binding are
// in RLSprite.h; the check that makes a sprite read from a file safe to draw
// is in RLSpriteCheck.h.
//
// Sprite coordinates: (0, 0) is the top-left corner of the encoded rectangle,
// x grows to the right, y downwards.
//
// Run record (runData), little-endian 32-bit words:
//     word 0   unbound: int16 dx (low half), int16 dy (high half), the run's
//              first pixel minus the previous run's first pixel (minus (0,0)
//              for the first run); bound: int32 dx + dy * pitch
//     word 1   int32 pixel count n >= 1
//     word 2.. the n pixels as 16-bit values, the first in the low half;
//              when n is odd the high half of the last word is padding
// A run lies within one row; runs follow scan order; a run takes
// 2 + (n + 1) / 2 words.
//
// Edge record (edgeData), two words:
//     word 0   unbound: int16 x, int16 y (absolute); bound: int32 x + y * pitch
//     word 1   low half: level 1..4; high half: premultiplied colour
//
// A sprite is unbound (as encoded and as every file stores it) or bound (after
// BindRLSprite or LoadRLSprite with a non-zero pitch): offsets become
// x + y * pitch and pixels move from RGB565 to the active pixel layout. Binding
// happens once: the sprite remembers its pitch in boundPitch (in memory only;
// no file holds it) and BindRLSprite refuses a sprite that is already bound.
#ifndef VANTREL_RLSPRITE_DATA_H
#define VANTREL_RLSPRITE_DATA_H

#include <cstdint>
#include <memory>

#include "Rect.h"

// Derived from a bound sprite's run words to speed its drawing (RLSprite.h,
// IndexRLSprite); opaque to callers.
struct RLSpriteIndex;

struct RLSprite {
    int32_t runWordCount = 0;
    int32_t edgeWordCount = 0;
    int32_t pointCount = 0;
    uint32_t* runData = nullptr;
    uint32_t* edgeData = nullptr;
    // Unbound: int16 x (low half), int16 y (high half); bound: x + y * pitch.
    uint32_t hotSpot = 0;
    uint16_t* pointValues = nullptr;
    uint32_t* pointPositions = nullptr;
    Rect bounds;  // relative to the hot spot, right and bottom inclusive
    // In memory only: 0 while unbound, else the pitch BindRLSprite bound the
    // offsets to. Drawing goes by it and draws nothing while it is 0: a
    // sprite laid out bound by hand sets it to the pitch of its offsets.
    int32_t boundPitch = 0;
    // In memory only: what BindRLSprite or IndexRLSprite derived for drawing,
    // shared by copies of the sprite. It never changes a drawn pixel, and is
    // ignored once the run buffer, counts, hot spot, bounds or pitch differ
    // from those it was made from. Words rewritten in place, in the same
    // buffers, are not noticed: call IndexRLSprite again after such an edit.
    std::shared_ptr<const RLSpriteIndex> index;
};

// Packs and unpacks the unbound x, y pair of a hot spot, run delta, edge or
// point position.
inline uint32_t PackXY(int16_t x, int16_t y) {
    return static_cast<uint16_t>(x) | (static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16);
}
inline int16_t UnpackX(uint32_t word) {
    return static_cast<int16_t>(word & 0xFFFF);
}
inline int16_t UnpackY(uint32_t word) {
    return static_cast<int16_t>(word >> 16);
}

// Bounds beyond +-kRLSpriteBoundsLimit are refused by the check.
constexpr int32_t kRLSpriteBoundsLimit = 65536;

#endif
