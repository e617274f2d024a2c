// Walking a bound sprite's runs and edge records onto a surface, whole or cut
// to a clip rectangle, and the span operations applied to each run.
//
// Run layout (bound): word 0 the run start minus the previous run's start as
// x + y * spritePitch, word 1 the pixel count n, then n pixels two to a word,
// the first in the low half. Edge records: word 0 the position x + y * pitch,
// word 1 the level (low half) and colour (high half).
//
// The walks stop at a run whose count or length does not fit the run words,
// so they never read past runData. The whole walks trust the sprite's pixels
// to lie inside its bounds (the loaders check this); the clipped walks trust
// nothing and write only inside the ClipFrame's visible rectangle.
//
// Internal to the drawing code.
#ifndef VANTREL_SPRITE_WALK_H
#define VANTREL_SPRITE_WALK_H

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include <Vantrel/Pixel.h>
#include <Vantrel/RLSprite.h>
#include <Vantrel/Random.h>
#include "SpriteBlend.h"

namespace sprite_walk {

constexpr bool kLittleEndian = std::endian::native == std::endian::little;

inline Pixel16 RunPixel(const uint32_t* pixels, int64_t i) {
    if constexpr (kLittleEndian) {
        Pixel16 p;
        std::memcpy(&p, reinterpret_cast<const unsigned char*>(pixels) + 2 * i, 2);
        return p;
    } else {
        return static_cast<Pixel16>(pixels[i >> 1] >> ((i & 1) * 16));
    }
}

// Span operations: draw count pixels of a run, from its pixel first on, at dst.

// Copies count pixels from a run (little-endian hosts: byte for byte). Short
// runs are common: up to 64 bytes the copy is done inline in 16-byte steps, the
// last step overlapping the one before, rather than by a library call.
inline void CopyPixels(Pixel16* dst, const uint32_t* pixels, int32_t first, int32_t count) {
    if constexpr (kLittleEndian) {
        unsigned char* d = reinterpret_cast<unsigned char*>(dst);
        const unsigned char* s = reinterpret_cast<const unsigned char*>(pixels) + 2 * first;
        const size_t bytes = static_cast<size_t>(count) * 2;
        if (bytes > 64) {
            std::memcpy(d, s, bytes);
        } else if (bytes >= 16) {
            for (size_t i = 0; i + 16 < bytes; i += 16) std::memcpy(d + i, s + i, 16);
            std::memcpy(d + bytes - 16, s + bytes - 16, 16);
        } else if (bytes >= 8) {
            std::memcpy(d, s, 8);
            std::memcpy(d + bytes - 8, s + bytes - 8, 8);
        } else if (bytes >= 4) {
            std::memcpy(d, s, 4);
            std::memcpy(d + bytes - 4, s + bytes - 4, 4);
        } else {
            std::memcpy(d, s, 2);
        }
    } else {
        for (int32_t i = 0; i < count; ++i) dst[i] = RunPixel(pixels, first + i);
    }
}

struct CopySpan {
    void operator()(Pixel16* dst, const uint32_t* pixels, int32_t first, int32_t count) const {
        CopyPixels(dst, pixels, first, count);
    }
};

// Random holes: count / 4 of the span's pixels (at least 1, at most 16), at
// random positions that may repeat, keep the background.
struct HolesSpan {
    void operator()(Pixel16* dst, const uint32_t* pixels, int32_t first, int32_t count) const {
        int32_t holes = count / 4;
        if (holes < 1) holes = 1;
        if (holes > 16) holes = 16;
        uint32_t at[16];
        Pixel16 saved[16];
        for (int32_t k = 0; k < holes; ++k) {
            at[k] = RandomBelow(static_cast<uint32_t>(count));
            saved[k] = dst[at[k]];
        }
        CopyPixels(dst, pixels, first, count);
        for (int32_t k = 0; k < holes; ++k) dst[at[k]] = saved[k];
    }
};

template <class Layout>
struct TranslucentSpan {
    Layout layout;
    void operator()(Pixel16* dst, const uint32_t* pixels, int32_t first, int32_t count) const {
        int32_t i = 0;
        if constexpr (kLittleEndian) {
            const unsigned char* src = reinterpret_cast<const unsigned char*>(pixels) + 2 * first;
            for (; i + 4 <= count; i += 4) {
                uint64_t s, b;
                std::memcpy(&s, src + 2 * i, 8);
                std::memcpy(&b, dst + i, 8);
                // Per channel b - b/4 never borrows and adding s/4 never
                // carries, so four pixels go at once.
                b = b - layout.Quarter4(b) + layout.Quarter4(s);
                std::memcpy(dst + i, &b, 8);
            }
        }
        for (; i < count; ++i)
            dst[i] = sprite_blend::Translucent(layout, RunPixel(pixels, first + i), dst[i]);
    }
};

template <class Layout>
struct AdditiveSpan {
    Layout layout;
    void operator()(Pixel16* dst, const uint32_t* pixels, int32_t first, int32_t count) const {
        int32_t i = 0;
        if constexpr (kLittleEndian && Layout::kPackedAdd) {
            const unsigned char* src = reinterpret_cast<const unsigned char*>(pixels) + 2 * first;
            for (; i + 4 <= count; i += 4) {
                uint64_t s, b;
                std::memcpy(&s, src + 2 * i, 8);
                std::memcpy(&b, dst + i, 8);
                b = layout.Add4(s, b);
                std::memcpy(dst + i, &b, 8);
            }
        }
        for (; i < count; ++i) dst[i] = layout.Add(RunPixel(pixels, first + i), dst[i]);
    }
};

// Reads the next run at word, checking that it fits before end. Gives false
// at the end of the runs or at a run that does not fit.
inline bool NextRun(const uint32_t* word, const uint32_t* end, int32_t& delta, int32_t& count) {
    if (end - word < 2) return false;
    delta = static_cast<int32_t>(word[0]);
    count = static_cast<int32_t>(word[1]);
    return count >= 1 &&
           static_cast<ptrdiff_t>((static_cast<uint32_t>(count) + 1u) >> 1) <= end - word - 2;
}

// count is at least 1 here (NextRun).
inline const uint32_t* AfterRun(const uint32_t* word, int32_t count) {
    return word + 2 + ((static_cast<uint32_t>(count) + 1u) >> 1);
}

// Run sources: each gives the runs in order as delta, count and pixels.
//
// SerialRuns finds each run from the one before, reading its length from its
// own header and checking that it fits the run words.
class SerialRuns {
public:
    SerialRuns(const uint32_t* word, const uint32_t* end) : word_(word), end_(end) {}
    bool Next(int32_t& delta, int32_t& count, const uint32_t*& pixels) {
        if (!NextRun(word_, end_, delta, count)) return false;
        pixels = word_ + 2;
        word_ = AfterRun(word_, count);
        return true;
    }

private:
    const uint32_t* word_;
    const uint32_t* end_;
};

// IndexedRuns takes the counts from the sprite's index (SpriteIndex.h), which
// was checked against the run words when it was made: the next run's place is
// known before the current run's header has been read.
class IndexedRuns {
public:
    IndexedRuns(const uint32_t* word, const uint16_t* count, const uint16_t* countEnd)
        : word_(word), count_(count), countEnd_(countEnd) {}
    bool Next(int32_t& delta, int32_t& count, const uint32_t*& pixels) {
        if (count_ == countEnd_) return false;
        count = *count_++;
        delta = static_cast<int32_t>(word_[0]);
        pixels = word_ + 2;
        word_ += 2 + ((static_cast<uint32_t>(count) + 1u) >> 1);
        return true;
    }

private:
    const uint32_t* word_;
    const uint16_t* count_;
    const uint16_t* countEnd_;
};

// The whole sprite: origin is the surface index of the sprite's origin (the
// position its offsets count from).
template <class Runs, class Span>
void WalkRuns(Pixel16* surface, ptrdiff_t origin, Runs runs, const Span& span) {
    ptrdiff_t at = origin;
    int32_t delta, count;
    const uint32_t* pixels;
    while (runs.Next(delta, count, pixels)) {
        at += delta;
        span(surface + at, pixels, 0, count);
    }
}

// The whole sprite with its edge records. Runs and edge records both follow
// scan order and never share a pixel, so each record is blended just before
// the first run that starts after it, while its row is still in the cache.
template <class Runs, class Span, class Layout>
void WalkRunsAndEdges(Pixel16* surface, ptrdiff_t origin, const RLSprite& sprite, Runs runs,
                      const Span& span, const Layout& layout) {
    const uint32_t* edge = sprite.edgeData;
    const uint32_t* edgeEnd =
        edge == nullptr || sprite.edgeWordCount < 2 ? edge : edge + (sprite.edgeWordCount & ~1);
    auto blendEdgesBefore = [&](ptrdiff_t limit) {
        for (; edge != edgeEnd; edge += 2) {
            const ptrdiff_t at = origin + static_cast<int32_t>(edge[0]);
            if (at >= limit) return;
            surface[at] =
                sprite_blend::BlendEdge(layout, edge[1] & 0xFFFF, edge[1] >> 16, surface[at]);
        }
    };
    ptrdiff_t at = origin;
    int32_t delta, count;
    const uint32_t* pixels;
    while (runs.Next(delta, count, pixels)) {
        at += delta;
        blendEdgesBefore(at);
        span(surface + at, pixels, 0, count);
    }
    blendEdgesBefore(PTRDIFF_MAX);
}

// The visible part of a sprite that crosses the clip rectangle. Positions are
// counted from the top-left pixel of the sprite's screen rectangle: a sprite
// offset o (from the origin) lies at o - rectOffset, which splits into a row
// and a column at the sprite pitch. Rows and columns outside
// [rowFirst, rowLast] x [columnFirst, columnLast] are not drawn.
struct ClipFrame {
    Pixel16* surface = nullptr;
    int64_t surfacePitch = 0;           // pixels per surface row
    int64_t spritePitch = 0;            // pixels per row of the sprite's offsets, > 0
    int64_t rectOffset = 0;             // the rectangle's top-left as a sprite offset
    int64_t rectLeft = 0, rectTop = 0;  // the rectangle's top-left on the screen
    int64_t rowFirst = 0, rowLast = 0, columnFirst = 0, columnLast = 0;
};

// The row of a rectangle-relative offset, found without a division: the
// cursor starts at the first visible row and steps down row by row as the
// offsets it is moved to grow. As it never passes the visible rows, the steps
// of one draw are at most their number.
class RowCursor {
public:
    RowCursor(const ClipFrame& f, int64_t topLeft)
        : pitch_(f.spritePitch),
          surfacePitch_(f.surfacePitch),
          start_(f.rowFirst * f.spritePitch),
          index_(topLeft + f.rowFirst * f.surfacePitch) {}
    // Offset of the current row's column 0.
    int64_t Start() const { return start_; }
    // Surface index of the current row's column 0.
    int64_t Index() const { return index_; }
    // offset must lie at or after Start().
    void MoveTo(int64_t offset) {
        while (offset - start_ >= pitch_) {
            start_ += pitch_;
            index_ += surfacePitch_;
        }
    }

private:
    int64_t pitch_, surfacePitch_, start_, index_;
};

// The visible part of the runs and, with a layout, of the edge records, which
// are blended in scan order between the runs as in WalkRunsAndEdges.
//
// The runs come from `runs`, starting at rectangle-relative offset `offset`
// (before the first run's delta); runs above the visible rows are passed over
// and the first run below them ends the walk. Edge records are taken from
// `edge` on, a record of sprite.edgeData. A run wholly between the visible columns
// is drawn as in the whole walk; only a run crossing one of them is cut. A run
// or edge record that steps back to an earlier row (no loaded sprite does) is
// left out.
template <class Runs, class Span, class Layout>
void WalkClipped(const ClipFrame& f, const RLSprite& sprite, Runs runs, int64_t offset,
                 const uint32_t* edge, const Span& span, const Layout* layout) {
    const int64_t visibleStart = f.rowFirst * f.spritePitch;
    const int64_t visibleEnd = (f.rowLast + 1) * f.spritePitch;
    const int64_t columnFirst = f.columnFirst, columnLast = f.columnLast;
    // Surface index of the rectangle's top-left, which may lie off the surface.
    RowCursor rows(f, f.rectTop * f.surfacePitch + f.rectLeft);

    if (layout == nullptr) edge = nullptr;
    const uint32_t* edgeEnd = edge == nullptr || sprite.edgeWordCount < 2
                                  ? edge
                                  : sprite.edgeData + (sprite.edgeWordCount & ~1);
    auto edgeOffset = [&f](const uint32_t* e) {
        return static_cast<int64_t>(static_cast<int32_t>(e[0])) - f.rectOffset;
    };
    while (edge != edgeEnd && edgeOffset(edge) < visibleStart) edge += 2;
    // Blends the records before limit, which lies at or before visibleEnd.
    auto blendEdgesBefore = [&](int64_t limit) {
        for (; edge != edgeEnd; edge += 2) {
            const int64_t at = edgeOffset(edge);
            if (at >= limit) return;
            if (at < rows.Start()) continue;
            rows.MoveTo(at);
            const int64_t column = at - rows.Start();
            if (column < columnFirst || column > columnLast) continue;
            Pixel16& p = f.surface[rows.Index() + column];
            p = sprite_blend::BlendEdge(*layout, edge[1] & 0xFFFF, edge[1] >> 16, p);
        }
    };

    int32_t delta, count;
    const uint32_t* pixels;
    while (runs.Next(delta, count, pixels)) {
        offset += delta;
        if (offset < visibleStart) continue;
        // Runs follow scan order (the loaders insist), so the first run below
        // the visible rows ends the visible part.
        if (offset >= visibleEnd) break;
        blendEdgesBefore(offset);
        if (offset < rows.Start()) continue;
        rows.MoveTo(offset);
        const int64_t column = offset - rows.Start();
        const int64_t lastInRun = column + count - 1;
        if (column >= columnFirst && lastInRun <= columnLast) {
            span(f.surface + (rows.Index() + column), pixels, 0, count);
            continue;
        }
        const int64_t first = column > columnFirst ? column : columnFirst;
        const int64_t last = lastInRun < columnLast ? lastInRun : columnLast;
        if (first <= last)
            span(f.surface + (rows.Index() + first), pixels, static_cast<int32_t>(first - column),
                 static_cast<int32_t>(last - first + 1));
    }
    blendEdgesBefore(visibleEnd);
}

}  // namespace sprite_walk

#endif
