// The drawing index of a bound sprite, derived from its run and edge words
// when it is bound (or when IndexRLSprite is called for a sprite laid out
// bound by hand).
//
// counts[i] is the pixel count of run i, so the walks find the next run from
// a small array they read ahead of time instead of from the run just read:
// the run headers no longer form one long chain of dependent loads.
// rows[j] names the first run on or below row j of the sprite's rectangle
// (rows counted from bounds.top): its number, the word it starts at, the
// rectangle-relative offset just before its delta is added, and the first
// edge record on or below that row. A clipped draw takes its visible rows'
// runs and records from there instead of walking every run above them.
// edgeCells[k] holds record k's row (high half) and column (low half) in the
// rectangle, so a draw cut by the left or right side clips the records by
// their cells alone.
//
// The index has that one shape or is not made. It is made only for a sprite
// whose runs all lie inside its bounds in scan order, with at most 65535
// pixels each, whose edge records lie inside the rectangle in scan order (and
// so at distinct pixels, which lets a draw blend several at once), whose
// rectangle is no wider than the pitch and at most 65535 pixels on each side,
// and when the index takes no more bytes than the sprite's run and edge words
// (a sprite too small to profit, or one whose rows are mostly empty, gets
// none). It remembers what it was made from; a sprite whose run or edge
// buffer, counts, hot spot, bounds or pitch changed since is drawn without it.
//
// Internal to the drawing code.
#ifndef VANTREL_SPRITE_INDEX_H
#define VANTREL_SPRITE_INDEX_H

#include <cstdint>
#include <memory>
#include <vector>

#include <Vantrel/RLSpriteData.h>

struct RLSpriteIndex {
    struct RowEntry {
        int32_t run;     // run number, the run count when no run follows
        int32_t word;    // its first word in runData
        int32_t before;  // rectangle-relative offset before its delta
        int32_t edge;    // record number, the record count when none follows
    };

    // What the index was made from.
    const uint32_t* runData = nullptr;
    int32_t runWordCount = 0;
    const uint32_t* edgeData = nullptr;
    int32_t edgeWordCount = 0;
    uint32_t hotSpot = 0;
    Rect bounds;
    int32_t pitch = 0;

    std::vector<uint16_t> counts;     // one per run
    std::vector<RowEntry> rows;       // one per row of the rectangle
    std::vector<uint32_t> edgeCells;  // one per edge record

    // Bytes the index holds, which stay within the sprite's run and edge
    // words' bytes.
    size_t Bytes() const {
        return sizeof *this + counts.size() * sizeof counts[0] + rows.size() * sizeof rows[0] +
               edgeCells.size() * sizeof edgeCells[0];
    }
};

namespace sprite_index {

// The index of a bound sprite at pitch, or null where none is made.
std::shared_ptr<const RLSpriteIndex> BuildIndex(const RLSprite& sprite, int32_t pitch);

// The sprite's index when it still describes the sprite as bound to pitch.
inline const RLSpriteIndex* UsableIndex(const RLSprite& sprite, int32_t pitch) {
    const RLSpriteIndex* index = sprite.index.get();
    if (index == nullptr || index->runData != sprite.runData ||
        index->runWordCount != sprite.runWordCount || index->edgeData != sprite.edgeData ||
        index->edgeWordCount != sprite.edgeWordCount || index->hotSpot != sprite.hotSpot ||
        index->pitch != pitch) {
        return nullptr;
    }
    const Rect& a = index->bounds;
    const Rect& b = sprite.bounds;
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom
               ? index
               : nullptr;
}

}  // namespace sprite_index

#endif
