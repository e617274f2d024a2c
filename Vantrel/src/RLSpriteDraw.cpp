#include <Vantrel/RLSpriteDraw.h>

#include <algorithm>
#include <cstddef>

#include <Vantrel/ScreenGeometry.h>
#include "SpriteBlend.h"
#include "SpriteEdges.h"
#include "SpriteIndex.h"
#include "SpriteSpans.h"
#include "SpriteWalk.h"
#include <Vantrel/Viewport.h>

using namespace sprite_blend;
using namespace sprite_walk;

namespace {

int32_t HoldTo32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Where and how one call draws.
struct Placement {
    bool clipped = false;
    Pixel16* surface = nullptr;
    ptrdiff_t origin = 0;  // unclipped: surface index of the sprite's origin
    ClipFrame frame;       // clipped
    const RLSpriteIndex* index = nullptr;
};

// The steps every entry point takes before it draws: the viewport and its
// surface, the screen rectangle into rect, the miss test, the choice between
// the whole and the clipped routines.
bool Place(Pixel16* surface, int32_t x, int32_t y, const RLSprite* sprite, Rect& rect,
           Placement& p) {
    if (CurrentViewport == nullptr || CurrentViewport->firstRow == nullptr) return false;
    if (surface == nullptr || sprite == nullptr) return false;
    if (!SpriteScreenRect(x, y, sprite, rect)) return false;
    const Rect clip = ClipToScreen(CurrentViewport->area);
    const Rect& b = sprite->bounds;
    const int64_t left = int64_t{x} + b.left, top = int64_t{y} + b.top;
    const int64_t right = int64_t{x} + b.right, bottom = int64_t{y} + b.bottom;
    const int64_t width = ScreenWidth();
    const int32_t hotSpot = static_cast<int32_t>(sprite->hotSpot);
    // The sprite's own pitch where it knows it, else the last binding's.
    const int32_t lastPitch = spritePitch.load(std::memory_order_relaxed);
    const int32_t pitch = sprite->boundPitch != 0 ? sprite->boundPitch : lastPitch;
    p.surface = surface;
    p.index = sprite_index::UsableIndex(*sprite, pitch);
    p.clipped = !(left >= clip.left && top >= clip.top && right <= clip.right &&
                  bottom <= clip.bottom && lastPitch == width && pitch == width);
    if (!p.clipped) {
        p.origin = static_cast<ptrdiff_t>(y * width + x - hotSpot);
        return true;
    }
    if (pitch <= 0) return false;
    ClipFrame& f = p.frame;
    f.surface = surface;
    f.surfacePitch = width;
    f.spritePitch = pitch;
    // The rectangle's top-left seen from the origin: the hot spot plus bounds.
    f.rectOffset = int64_t{hotSpot} + int64_t{b.top} * pitch + b.left;
    f.rectLeft = left;
    f.rectTop = top;
    f.rowFirst = std::max<int64_t>(clip.top - top, 0);
    f.rowLast = std::min<int64_t>(clip.bottom - top, bottom - top);
    f.columnFirst = std::max<int64_t>(clip.left - left, 0);
    f.columnLast = std::min<int64_t>(clip.right - left, right - left);
    return true;
}

SerialRuns AllRunsSerially(const RLSprite& s) {
    const uint32_t* end = s.runData == nullptr ? s.runData : s.runData + s.runWordCount;
    return SerialRuns(s.runData, end);
}

IndexedRuns AllRunsIndexed(const RLSprite& s, const RLSpriteIndex& index) {
    const uint16_t* counts = index.counts.data();
    return IndexedRuns(s.runData, counts, counts + index.counts.size());
}

// The whole walk with or without the index.
template <class Span>
void WholeRuns(const Placement& p, const RLSprite& s, const Span& span) {
    if (p.index != nullptr)
        WalkRuns(p.surface, p.origin, AllRunsIndexed(s, *p.index), span);
    else
        WalkRuns(p.surface, p.origin, AllRunsSerially(s), span);
}

// The runs, then the edge records: several at a time where the index found
// them in scan order, and so at distinct pixels.
template <class Span, class Layout>
void Whole(const Placement& p, const RLSprite& s, const Span& span, const Layout& layout) {
    WholeRuns(p, s, span);
    if (p.index != nullptr && p.index->edgesInScanOrder)
        BlendDistinctEdges(p.surface, p.origin, s.edgeData, EdgeEnd(s), layout);
    else
        BlendEdges(p.surface, p.origin, s, layout);
}

// The surface index of the rectangle's top-left: a rectangle-relative offset
// o lies at this plus o where the sprite's pitch is the surface's.
int64_t TopLeft(const ClipFrame& f) {
    return f.rectTop * f.surfacePitch + f.rectLeft;
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

// A sprite cut by the top or bottom of the clip only, with an entry for every
// row: the runs of the visible rows are a stretch of the index's runs, which
// the index has checked to lie inside the bounds, so they are drawn as in the
// whole walk, with no test per run.
bool EveryRowAtSurfacePitch(const ClipFrame& f, const RLSpriteIndex& index) {
    return index.rowShift == 0 && !index.rows.empty() && f.spritePitch == f.surfacePitch;
}

bool RowsOnly(const ClipFrame& f, const RLSprite& s, const RLSpriteIndex& index) {
    return EveryRowAtSurfacePitch(f, index) && f.columnFirst == 0 &&
           f.columnLast == int64_t{s.bounds.right} - s.bounds.left;
}

// The visible rows' runs; runAt receives the surface index before the first
// run's delta.
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

// The edge records of the visible rows, which the index has found in scan
// order: the first is returned and end is moved to the last's successor.
// With an entry for every row they are exactly those rows' records; with
// coarser entries they start at the first visible row's entry and run on to
// the end.
const uint32_t* VisibleRecords(const ClipFrame& f, const RLSprite& s, const RLSpriteIndex& index,
                               const uint32_t*& end) {
    if (index.rows.empty()) return s.edgeData;
    const auto below = static_cast<size_t>(f.rowLast + 1);
    if (index.rowShift == 0 && below < index.rows.size())
        end = s.edgeData + 2 * index.rows[below].edge;
    return s.edgeData + 2 * index.rows[static_cast<size_t>(f.rowFirst >> index.rowShift)].edge;
}

// The visible runs of an indexed sprite, from the entry of the first visible
// row where there is one.
IndexedRuns VisibleRunsIndexed(const ClipFrame& f, const RLSprite& s, const RLSpriteIndex& index,
                               int64_t& before) {
    if (index.rows.empty()) {
        before = -f.rectOffset;
        return AllRunsIndexed(s, index);
    }
    const RLSpriteIndex::RowEntry& entry =
        index.rows[static_cast<size_t>(f.rowFirst >> index.rowShift)];
    const uint16_t* counts = index.counts.data();
    before = entry.before;
    return IndexedRuns(s.runData + entry.word, counts + entry.run, counts + index.counts.size());
}

// The visible part of an indexed sprite: its runs and the records
// [edge, edgeEnd), which follow scan order. With an entry for every row they
// are the visible rows' records, blended after the runs; otherwise they may
// start above the first visible row and run on below the last, and go between
// the runs. A sprite drawn at the surface's pitch with an entry for every row
// starts at its first visible row's runs and stops after its last; cut by the
// top or bottom only, its runs need no cutting at all.
template <class Span, class Layout>
void ClippedIndexed(const ClipFrame& f, const RLSprite& s, const RLSpriteIndex& index,
                    const Span& span, const uint32_t* edge, const uint32_t* edgeEnd,
                    const Layout& layout) {
    if (EveryRowAtSurfacePitch(f, index)) {
        ptrdiff_t runAt = 0;
        const IndexedRuns runs = VisibleRows(f, s, index, runAt);
        if (!RowsOnly(f, s, index)) {
            WalkColumnsClipped(f, runs, runAt - TopLeft(f), CutPieces(span));
            if (edge != edgeEnd && !index.edgeCells.empty())
                BlendEdgesInCells(f, edge, edgeEnd,
                                  index.edgeCells.data() + (edge - s.edgeData) / 2, layout);
            else
                BlendEdgesClipped(f, edge, edgeEnd, layout);
        } else {
            WalkRuns(f.surface, runAt, runs, span);
            BlendDistinctEdges(f.surface, static_cast<ptrdiff_t>(TopLeft(f) - f.rectOffset), edge,
                               edgeEnd, layout);
        }
        return;
    }
    int64_t before = 0;
    const IndexedRuns runs = VisibleRunsIndexed(f, s, index, before);
    if (edge == edgeEnd)
        WalkClipped(f, runs, before, span);
    else
        WalkClippedAndEdges(f, runs, before, span, edge, edgeEnd, layout);
}

// The visible runs alone.
template <class Span, class Layout>
void ClippedRuns(const Placement& p, const RLSprite& s, const Span& span, const Layout& layout) {
    const ClipFrame& f = p.frame;
    if (p.index == nullptr)
        WalkClipped(f, AllRunsSerially(s), -f.rectOffset, span);
    else
        ClippedIndexed(f, s, *p.index, span, nullptr, nullptr, layout);
}

// The visible runs and edge records. Where the index vouches for the records'
// order, only those from the first on a visible row (the index's row entries
// name it) are visited; otherwise every record, in a pass of their own after
// the runs.
template <class Span, class Layout>
void Clipped(const Placement& p, const RLSprite& s, const Span& span, const Layout& layout) {
    const ClipFrame& f = p.frame;
    if (p.index == nullptr || !p.index->edgesInScanOrder) {
        ClippedRuns(p, s, span, layout);
        BlendEdgesClipped(f, s.edgeData, EdgeEnd(s), layout);
        return;
    }
    const uint32_t* edgeEnd = EdgeEnd(s);
    const uint32_t* edge = VisibleRecords(f, s, *p.index, edgeEnd);
    ClippedIndexed(f, s, *p.index, span, edge, edgeEnd, layout);
}

// The six routines, for one layout each. Each stays a function of its own:
// inlined into the entry points, the walks lose registers to the dispatch
// around them and run markedly slower.

template <class Layout>
[[gnu::noinline]] void BlitRLSprite(const Placement& p, const RLSprite& s, const Layout& layout) {
    Whole(p, s, CopySpan{}, layout);
}

template <class Layout>
[[gnu::noinline]] void BlitRLSpriteClipped(const Placement& p, const RLSprite& s,
                                           const Layout& layout) {
    Clipped(p, s, CopySpan{}, layout);
}

template <class Layout>
[[gnu::noinline]] void BlitRLSpriteHoles(const Placement& p, const RLSprite& s,
                                         const Layout& layout) {
    Whole(p, s, HolesSpan{}, layout);
}

template <class Layout>
[[gnu::noinline]] void BlitRLSpriteHolesClipped(const Placement& p, const RLSprite& s,
                                                const Layout& layout) {
    Clipped(p, s, HolesSpan{}, layout);
}

template <class Layout>
[[gnu::noinline]] void BlendRLSprite(const Placement& p, const RLSprite& s, const Layout& layout,
                                     bool additive) {
    if (additive)
        WholeRuns(p, s, AdditiveSpan<Layout>{layout});
    else
        WholeRuns(p, s, TranslucentSpan<Layout>{layout});
}

template <class Layout>
[[gnu::noinline]] void BlendRLSpriteClipped(const Placement& p, const RLSprite& s,
                                            const Layout& layout, bool additive) {
    if (additive)
        ClippedRuns(p, s, AdditiveSpan<Layout>{layout}, layout);
    else
        ClippedRuns(p, s, TranslucentSpan<Layout>{layout}, layout);
}

template <class Layout>
void Blit(const Placement& p, const RLSprite& s, bool holes, const Layout& layout) {
    if (holes) {
        if (p.clipped)
            BlitRLSpriteHolesClipped(p, s, layout);
        else
            BlitRLSpriteHoles(p, s, layout);
    } else {
        if (p.clipped)
            BlitRLSpriteClipped(p, s, layout);
        else
            BlitRLSprite(p, s, layout);
    }
}

template <class Layout>
void Blend(const Placement& p, const RLSprite& s, bool additive, const Layout& layout) {
    if (p.clipped)
        BlendRLSpriteClipped(p, s, layout, additive);
    else
        BlendRLSprite(p, s, layout, additive);
}

// Calls draw with the policy of the active layout.
template <class Draw>
void WithLayout(Draw&& draw) {
    switch (PixelMode.modeCode) {
        case 565:
            draw(Layout565{});
            break;
        case 555:
            draw(Layout555{});
            break;
        default:
            draw(GeneralLayout());
            break;
    }
}

}  // namespace

bool SpriteScreenRect(int32_t x, int32_t y, const RLSprite* sprite, Rect& rect) {
    if (sprite == nullptr) return false;
    const Rect& b = sprite->bounds;
    rect = Rect{HoldTo32(int64_t{x} + b.left), HoldTo32(int64_t{y} + b.top),
                HoldTo32(int64_t{x} + b.right), HoldTo32(int64_t{y} + b.bottom)};
    if (CurrentViewport == nullptr) return false;
    const Rect clip = ClipToScreen(CurrentViewport->area);
    if (clip.right < clip.left || clip.bottom < clip.top) return false;
    if (b.right < b.left || b.bottom < b.top) return false;
    return !(rect.right < clip.left || clip.right < rect.left || rect.bottom < clip.top ||
             clip.bottom < rect.top);
}

Rect* DrawRLSprite(Pixel16* surface, int32_t x, int32_t y, const RLSprite* sprite, bool holes) {
    static Rect drawn;
    Placement p;
    if (!Place(surface, x, y, sprite, drawn, p)) return nullptr;
    WithLayout([&](const auto& layout) { Blit(p, *sprite, holes, layout); });
    return &drawn;
}

Rect* DrawRLSpriteBlend(Pixel16* surface, int32_t x, int32_t y, const RLSprite* sprite,
                        bool additive) {
    static Rect drawn;
    Placement p;
    if (!Place(surface, x, y, sprite, drawn, p)) return nullptr;
    if (BlendTablesPending) InitBlendTables();
    WithLayout([&](const auto& layout) { Blend(p, *sprite, additive, layout); });
    return &drawn;
}
