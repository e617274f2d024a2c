// Blending a bound sprite's edge records onto a surface, whole or cut to a
// clip rectangle (ClipFrame, SpriteWalk.h).
//
// An edge record is two words: the pixel's position as an offset from the
// sprite's origin (x + y * pitch), then its level (low half) and colour (high
// half). The records follow scan order and share no pixel with the runs, so
// they are blended in a pass of their own after the runs: a short loop that
// keeps the run walk free of their bookkeeping.
//
// Internal to the drawing code.
#ifndef VANTREL_SPRITE_EDGES_H
#define VANTREL_SPRITE_EDGES_H

#include <cstddef>
#include <cstdint>

#include <Vantrel/Pixel.h>
#include <Vantrel/RLSprite.h>
#include "SpriteBlend.h"
#include "SpriteWalk.h"

namespace sprite_walk {

// The end of the sprite's whole edge records.
inline const uint32_t* EdgeEnd(const RLSprite& sprite) {
    const uint32_t* edge = sprite.edgeData;
    return edge == nullptr || sprite.edgeWordCount < 2 ? edge : edge + (sprite.edgeWordCount & ~1);
}

// Every record; origin is the surface index of the sprite's origin.
template <class Layout>
void BlendEdges(Pixel16* surface, ptrdiff_t origin, const RLSprite& sprite, const Layout& layout) {
    const uint32_t* end = EdgeEnd(sprite);
    for (const uint32_t* edge = sprite.edgeData; edge != end; edge += 2) {
        Pixel16& p = surface[origin + static_cast<int32_t>(edge[0])];
        p = sprite_blend::BlendEdge(layout, edge[1] & 0xFFFF, edge[1] >> 16, p);
    }
}

// The visible records, from `edge` on (a record of sprite.edgeData at or
// before the first visible one). A record that steps back to an earlier row
// is left out; the first below the visible rows ends the pass.
template <class Layout>
void BlendEdgesClipped(const ClipFrame& f, const RLSprite& sprite, const uint32_t* edge,
                       const Layout& layout) {
    const uint32_t* end = EdgeEnd(sprite);
    const int64_t visibleEnd = (f.rowLast + 1) * f.spritePitch;
    RowWindow row(f);
    for (; edge != end; edge += 2) {
        const int64_t at = int64_t{static_cast<int32_t>(edge[0])} - f.rectOffset;
        if (at < row.Start()) continue;
        if (at >= visibleEnd) return;
        row.MoveTo(at);
        if (at < row.First() || at > row.Last()) continue;
        Pixel16& p = f.surface[row.Bias() + at];
        p = sprite_blend::BlendEdge(layout, edge[1] & 0xFFFF, edge[1] >> 16, p);
    }
}

}  // namespace sprite_walk

#endif
