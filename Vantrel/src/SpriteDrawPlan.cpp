#include "SpriteDrawPlan.h"

#include <algorithm>

#include "SpriteBlend.h"
#include "SpriteEdges.h"
#include "SpriteIndex.h"
#include "SpriteSpans.h"
#include "SpriteWalk.h"

using namespace sprite_blend;
using namespace sprite_walk;
using vantrel::DrawMode;

namespace sprite_draw {

namespace {

int32_t HoldTo32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// The one choice of plan (the table in SpriteDrawPlan.h).
DrawPlan ChooseDrawPlan(bool inside, bool sidesCut, bool atTargetPitch,
                        const RLSpriteIndex* index) {
    if (!atTargetPitch) return DrawPlan::kCut;
    if (index == nullptr) return inside ? DrawPlan::kWholeUnindexed : DrawPlan::kCut;
    if (inside) return DrawPlan::kWhole;
    return sidesCut ? DrawPlan::kRowsAndColumns : DrawPlan::kRows;
}

SerialRuns AllRunsSerially(const RLSprite& s) {
    const uint32_t* end = s.runData == nullptr ? s.runData : s.runData + s.runWordCount;
    return SerialRuns(s.runData, end);
}

IndexedRuns AllRunsIndexed(const RLSprite& s, const RLSpriteIndex& index) {
    const uint16_t* counts = index.counts.data();
    return IndexedRuns(s.runData, counts, counts + index.counts.size());
}

// The pixel index of the rectangle's top-left: a rectangle-relative offset o
// lies at this plus o where the sprite's pitch is the target's.
int64_t TopLeft(const ClipFrame& f) {
    return f.rectTop * f.surfacePitch + f.rectLeft;
}

// The visible rows' runs, which the index has checked to lie inside the
// bounds; runAt receives the pixel index before the first run's delta.
IndexedRuns VisibleRows(const ClipFrame& f, const RLSprite& s, const RLSpriteIndex& index,
                        ptrdiff_t& runAt) {
    const RLSpriteIndex::RowEntry& entry = index.rows[static_cast<size_t>(f.rowFirst)];
    const auto below = static_cast<size_t>(f.rowLast + 1);
    const int32_t end = below < index.rows.size() ? index.rows[below].run
                                                  : static_cast<int32_t>(index.counts.size());
    const uint16_t* counts = index.counts.data();
    runAt = static_cast<ptrdiff_t>(TopLeft(f) + entry.before);
    return IndexedRuns(s.runData + entry.word, counts + entry.run, counts + end);
}

// The visible rows' edge records, [first, end).
struct Records {
    const uint32_t* first;
    const uint32_t* end;
};

Records VisibleRecords(const ClipFrame& f, const RLSprite& s, const RLSpriteIndex& index) {
    const auto below = static_cast<size_t>(f.rowLast + 1);
    const uint32_t* end =
        below < index.rows.size() ? s.edgeData + 2 * index.rows[below].edge : EdgeEnd(s);
    return {s.edgeData + 2 * index.rows[static_cast<size_t>(f.rowFirst)].edge, end};
}

// The span that draws the pieces of runs cut to the visible columns: a copy
// there is done inline (WalkColumnsClipped). Other spans draw them as they are.
InlineCopySpan CutPieces(const CopySpan&) {
    return {};
}
template <class Span>
const Span& CutPieces(const Span& span) {
    return span;
}

// One plan with one span and layout. Each stays a function of its own:
// inlined into the dispatch, the walks lose registers to the code around them
// and run markedly slower.
template <DrawPlan kPlan, bool kRecords, class Span, class Layout>
[[gnu::noinline]] void Carry(const Placement& p, const RLSprite& s, const Span& span,
                             const Layout& layout) {
    const ClipFrame& f = p.frame;
    if constexpr (kPlan == DrawPlan::kWhole) {
        WalkRuns(p.pixels, p.origin, AllRunsIndexed(s, *p.index), span);
        if (kRecords) BlendDistinctEdges(p.pixels, p.origin, s.edgeData, EdgeEnd(s), layout);
    } else if constexpr (kPlan == DrawPlan::kWholeUnindexed) {
        WalkRuns(p.pixels, p.origin, AllRunsSerially(s), span);
        if (kRecords) BlendEdges(p.pixels, p.origin, s, layout);
    } else if constexpr (kPlan == DrawPlan::kRows) {
        ptrdiff_t runAt = 0;
        WalkRuns(p.pixels, runAt, VisibleRows(f, s, *p.index, runAt), span);
        if (kRecords) {
            const Records r = VisibleRecords(f, s, *p.index);
            BlendDistinctEdges(p.pixels, p.origin, r.first, r.end, layout);
        }
    } else if constexpr (kPlan == DrawPlan::kRowsAndColumns) {
        ptrdiff_t runAt = 0;
        const IndexedRuns runs = VisibleRows(f, s, *p.index, runAt);
        WalkColumnsClipped(f, runs, runAt - TopLeft(f), CutPieces(span));
        if (kRecords) {
            const Records r = VisibleRecords(f, s, *p.index);
            if (r.first != r.end)
                BlendEdgesInCells(f, r.first, r.end,
                                  p.index->edgeCells.data() + (r.first - s.edgeData) / 2, layout);
        }
    } else {
        WalkClipped(f, AllRunsSerially(s), -f.rectOffset, span);
        if (kRecords) BlendEdgesClipped(f, s.edgeData, EdgeEnd(s), layout);
    }
}

// The one switch over the plans.
template <bool kRecords, class Span, class Layout>
void CarryPlan(const Placement& p, const RLSprite& s, const Span& span, const Layout& layout) {
    switch (p.plan) {
        case DrawPlan::kWhole:
            return Carry<DrawPlan::kWhole, kRecords>(p, s, span, layout);
        case DrawPlan::kWholeUnindexed:
            return Carry<DrawPlan::kWholeUnindexed, kRecords>(p, s, span, layout);
        case DrawPlan::kRows:
            return Carry<DrawPlan::kRows, kRecords>(p, s, span, layout);
        case DrawPlan::kRowsAndColumns:
            return Carry<DrawPlan::kRowsAndColumns, kRecords>(p, s, span, layout);
        case DrawPlan::kCut:
            return Carry<DrawPlan::kCut, kRecords>(p, s, span, layout);
    }
}

// The span of each mode; only the opaque modes draw the edge records.
template <class Layout>
void CarryMode(const Placement& p, const RLSprite& s, DrawMode mode, uint32_t& holesSeed,
               const Layout& layout) {
    switch (mode) {
        case DrawMode::Opaque:
            return CarryPlan<true>(p, s, CopySpan{}, layout);
        case DrawMode::Holes:
            return CarryPlan<true>(p, s, HolesSpan{&holesSeed}, layout);
        case DrawMode::Translucent:
            return CarryPlan<false>(p, s, TranslucentSpan<Layout>{layout}, layout);
        case DrawMode::Additive:
            return CarryPlan<false>(p, s, AdditiveSpan<Layout>{layout}, layout);
    }
}

}  // namespace

Rect ScreenRect(int32_t x, int32_t y, const RLSprite& sprite) {
    const Rect& b = sprite.bounds;
    return Rect{HoldTo32(int64_t{x} + b.left), HoldTo32(int64_t{y} + b.top),
                HoldTo32(int64_t{x} + b.right), HoldTo32(int64_t{y} + b.bottom)};
}

bool PlaceSprite(const DrawTarget& target, int32_t x, int32_t y, const RLSprite& sprite,
                 Placement& p) {
    p.rect = ScreenRect(x, y, sprite);
    const int32_t pitch = sprite.boundPitch;
    if (pitch <= 0 || target.pixels == nullptr) return false;
    const Rect& clip = target.clip;
    const Rect& b = sprite.bounds;
    if (clip.right < clip.left || clip.bottom < clip.top) return false;
    if (b.right < b.left || b.bottom < b.top) return false;
    const int64_t left = int64_t{x} + b.left, top = int64_t{y} + b.top;
    const int64_t right = int64_t{x} + b.right, bottom = int64_t{y} + b.bottom;
    if (right < clip.left || clip.right < left || bottom < clip.top || clip.bottom < top)
        return false;
    p.visible = Rect{static_cast<int32_t>(std::max<int64_t>(left, clip.left)),
                     static_cast<int32_t>(std::max<int64_t>(top, clip.top)),
                     static_cast<int32_t>(std::min<int64_t>(right, clip.right)),
                     static_cast<int32_t>(std::min<int64_t>(bottom, clip.bottom))};
    const int32_t hotSpot = static_cast<int32_t>(sprite.hotSpot);
    p.pixels = target.pixels;
    p.origin = static_cast<ptrdiff_t>(int64_t{y} * target.pitch + x - hotSpot);
    p.index = sprite_index::UsableIndex(sprite, pitch);
    ClipFrame& f = p.frame;
    f.surface = target.pixels;
    f.surfacePitch = target.pitch;
    f.spritePitch = pitch;
    // The rectangle's top-left seen from the origin: the hot spot plus bounds.
    f.rectOffset = int64_t{hotSpot} + int64_t{b.top} * pitch + b.left;
    f.rectLeft = left;
    f.rectTop = top;
    f.rowFirst = p.visible.top - top;
    f.rowLast = p.visible.bottom - top;
    f.columnFirst = p.visible.left - left;
    f.columnLast = p.visible.right - left;
    const bool rowsCut = top < clip.top || bottom > clip.bottom;
    const bool sidesCut = left < clip.left || right > clip.right;
    p.plan = ChooseDrawPlan(!rowsCut && !sidesCut, sidesCut, pitch == target.pitch, p.index);
    return true;
}

void DrawPlaced(const Placement& p, const RLSprite& sprite, DrawMode mode, uint32_t& holesSeed) {
    if ((mode == DrawMode::Translucent || mode == DrawMode::Additive) && BlendTablesPending)
        InitBlendTables();
    switch (PixelMode.modeCode) {
        case 565:
            return CarryMode(p, sprite, mode, holesSeed, Layout565{});
        case 555:
            return CarryMode(p, sprite, mode, holesSeed, Layout555{});
        default:
            return CarryMode(p, sprite, mode, holesSeed, GeneralLayout());
    }
}

}  // namespace sprite_draw
