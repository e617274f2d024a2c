// Blending a bound sprite's edge records onto a surface, whole or cut to a
// clip rectangle (ClipFrame, SpriteWalk.h).
//
// An edge record is two words: the pixel's position as an offset from the
// sprite's origin (x + y * pitch), then its level (low half) and colour (high
// half). A record is blended over the runs' final pixels, so always in a pass
// of its own after the runs. Where the sprite has an index its records lie in
// scan order at distinct pixels: drawn whole or cut by the top or bottom of
// the clip they go to the vector unit eight at a time, and cut by the left or
// right side they are placed and clipped by the index's cells, following no
// rows. Without an index each record is tested against the clip on its own,
// in whatever order the records come.
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

// The record at edge, blended onto p.
template <class Layout>
void BlendEdgeAt(Pixel16& p, const uint32_t* edge, const Layout& layout) {
    p = sprite_blend::BlendEdge(layout, edge[1] & 0xFFFF, edge[1] >> 16, p);
}

// The records [edge, end), which lie at distinct pixels (an indexed sprite's,
// whose index found them in scan order), so that the vector unit may take
// eight at a time; origin is the surface index of sprite offset 0.
template <class Layout>
void BlendDistinctEdges(Pixel16* surface, ptrdiff_t origin, const uint32_t* edge,
                        const uint32_t* end, const Layout& layout) {
    const auto count = static_cast<int32_t>((end - edge) / 2);
    if (count == 0) return;
    const int32_t done = BlendEdgesSimd(surface, origin, edge, count, layout.HalfMask(),
                                        layout.QuarterMask(), layout.EighthMask());
    for (edge += 2 * done; edge != end; edge += 2)
        BlendEdgeAt(surface[origin + static_cast<int32_t>(edge[0])], edge, layout);
}

// Every record; origin is the surface index of the sprite's origin.
template <class Layout>
void BlendEdges(Pixel16* surface, ptrdiff_t origin, const RLSprite& sprite, const Layout& layout) {
    const uint32_t* end = EdgeEnd(sprite);
    for (const uint32_t* edge = sprite.edgeData; edge != end; edge += 2)
        BlendEdgeAt(surface[origin + static_cast<int32_t>(edge[0])], edge, layout);
}

// The visible ones of the records [edge, end) of a sprite drawn at the
// surface's own pitch, in a pass of their own, placed by their cells in the
// rectangle (SpriteIndex.h) from cell on: a record's row and column come from
// the index, which checked them, and only its level and colour from the
// record, so the pass follows no rows and writes only inside the clip.
template <class Layout>
[[gnu::flatten]] void BlendEdgesInCells(const ClipFrame& f, const uint32_t* edge,
                                        const uint32_t* end, const uint32_t* cell,
                                        const Layout& layout) {
    Pixel16* const topLeft = f.surface + (f.rectTop * f.surfacePitch + f.rectLeft);
    const int64_t pitch = f.surfacePitch;
    const auto rowFirst = static_cast<uint32_t>(f.rowFirst);
    const auto rowsAfterFirst = static_cast<uint32_t>(f.rowLast - f.rowFirst);
    const auto columnFirst = static_cast<uint32_t>(f.columnFirst);
    const auto columnsAfterFirst = static_cast<uint32_t>(f.columnLast - f.columnFirst);
    for (; edge != end; edge += 2, ++cell) {
        const uint32_t row = *cell >> 16, column = *cell & 0xFFFF;
        if (row - rowFirst <= rowsAfterFirst && column - columnFirst <= columnsAfterFirst)
            BlendEdgeAt(topLeft[row * pitch + column], edge, layout);
    }
}

// The record at rectangle-relative offset at, placed by division: for a
// record that steps back from the one before it.
template <class Layout>
void BlendStrayEdge(const ClipFrame& f, int64_t at, const uint32_t* edge, const Layout& layout) {
    if (at < 0) return;  // above the rectangle
    const int64_t row = at / f.spritePitch, column = at % f.spritePitch;
    if (row < f.rowFirst || row > f.rowLast || column < f.columnFirst || column > f.columnLast)
        return;
    BlendEdgeAt(f.surface[(f.rectTop + row) * f.surfacePitch + f.rectLeft + column], edge, layout);
}

// The visible ones of the records [edge, end), in a pass of their own, in
// any order. Records in scan order are placed by the row window, without a
// division; one that steps back from the record before it (no loaded sprite
// has one) is placed on its own.
template <class Layout>
void BlendEdgesClipped(const ClipFrame& f, const uint32_t* edge, const uint32_t* end,
                       const Layout& layout) {
    const int64_t visibleEnd = (f.rowLast + 1) * f.spritePitch;
    RowWindow row(f);
    int64_t previous = INT64_MIN;
    for (; edge != end; edge += 2) {
        const int64_t at = int64_t{static_cast<int32_t>(edge[0])} - f.rectOffset;
        if (at < previous) {
            BlendStrayEdge(f, at, edge, layout);
            continue;
        }
        previous = at;
        if (at < row.Start() || at >= visibleEnd) continue;
        row.MoveTo(at);
        if (at < row.First() || at > row.Last()) continue;
        BlendEdgeAt(f.surface[row.Bias() + at], edge, layout);
    }
}

}  // namespace sprite_walk

#endif
