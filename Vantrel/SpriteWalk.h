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

#include "Pixel.h"
#include "RLSprite.h"
#include "Random.h"
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

struct CopySpan {
    void operator()(Pixel16* dst, const uint32_t* pixels, int32_t first, int32_t count) const {
        if constexpr (kLittleEndian) {
            std::memcpy(dst, reinterpret_cast<const unsigned char*>(pixels) + 2 * first,
                        static_cast<size_t>(count) * 2);
        } else {
            for (int32_t i = 0; i < count; ++i) dst[i] = RunPixel(pixels, first + i);
        }
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
        CopySpan{}(dst, pixels, first, count);
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
        for (int32_t i = 0; i < count; ++i)
            dst[i] = layout.Add(RunPixel(pixels, first + i), dst[i]);
    }
};

// Reads the next run at word, checking that it fits before end. Gives false
// at the end of the runs or at a run that does not fit.
inline bool NextRun(const uint32_t*& word, const uint32_t* end, int32_t& delta, int32_t& count) {
    if (end - word < 2) return false;
    delta = static_cast<int32_t>(word[0]);
    count = static_cast<int32_t>(word[1]);
    if (count < 1 || (static_cast<int64_t>(count) + 1) / 2 > end - word - 2) return false;
    return true;
}

inline const uint32_t* AfterRun(const uint32_t* word, int32_t count) {
    return word + 2 + (static_cast<int64_t>(count) + 1) / 2;
}

// The whole sprite: origin is the surface index of the sprite's origin (the
// position its offsets count from).
template <class Span>
void WalkRuns(Pixel16* surface, ptrdiff_t origin, const RLSprite& sprite, const Span& span) {
    if (sprite.runData == nullptr) return;
    const uint32_t* word = sprite.runData;
    const uint32_t* end = word + sprite.runWordCount;
    ptrdiff_t at = origin;
    int32_t delta, count;
    while (NextRun(word, end, delta, count)) {
        at += delta;
        span(surface + at, word + 2, 0, count);
        word = AfterRun(word, count);
    }
}

template <class Layout>
void WalkEdges(Pixel16* surface, ptrdiff_t origin, const RLSprite& sprite, const Layout& layout) {
    if (sprite.edgeData == nullptr) return;
    const uint32_t* word = sprite.edgeData;
    for (int32_t i = 0; i + 2 <= sprite.edgeWordCount; i += 2, word += 2) {
        Pixel16* p = surface + origin + static_cast<int32_t>(word[0]);
        *p = sprite_blend::BlendEdge(layout, word[1] & 0xFFFF, word[1] >> 16, *p);
    }
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
    int64_t rectRows = 0;               // rows of the sprite's rectangle
    int64_t rectLeft = 0, rectTop = 0;  // the rectangle's top-left on the screen
    int64_t rowFirst = 0, rowLast = 0, columnFirst = 0, columnLast = 0;
};

// Splits rectangle-relative offsets into row and column without a division
// while the offsets move forward a row or two at a time.
class RowTracker {
public:
    explicit RowTracker(int64_t pitch) : pitch_(pitch) {}
    // False when the offset lies outside the rectangle's rows.
    bool Split(int64_t offset, int64_t rows, int64_t& row, int64_t& column) {
        if (offset < 0 || offset >= rows * pitch_) return false;
        int64_t d = offset - rowStart_;
        if (d < 0 || d >= 4 * pitch_) {
            row_ = offset / pitch_;
            rowStart_ = row_ * pitch_;
        } else {
            while (d >= pitch_) {
                d -= pitch_;
                rowStart_ += pitch_;
                ++row_;
            }
        }
        row = row_;
        column = offset - rowStart_;
        return true;
    }

private:
    int64_t pitch_;
    int64_t row_ = 0;
    int64_t rowStart_ = 0;
};

template <class Span>
void WalkRunsClipped(const ClipFrame& f, const RLSprite& sprite, const Span& span) {
    if (sprite.runData == nullptr) return;
    const uint32_t* word = sprite.runData;
    const uint32_t* end = word + sprite.runWordCount;
    RowTracker rows(f.spritePitch);
    int64_t offset = -f.rectOffset;
    int32_t delta, count;
    while (NextRun(word, end, delta, count)) {
        offset += delta;
        int64_t row, column;
        if (rows.Split(offset, f.rectRows, row, column) && row >= f.rowFirst && row <= f.rowLast) {
            const int64_t first = column > f.columnFirst ? column : f.columnFirst;
            const int64_t lastInRun = column + count - 1;
            const int64_t last = lastInRun < f.columnLast ? lastInRun : f.columnLast;
            if (first <= last) {
                Pixel16* dst = f.surface + (f.rectTop + row) * f.surfacePitch + f.rectLeft + first;
                span(dst, word + 2, static_cast<int32_t>(first - column),
                     static_cast<int32_t>(last - first + 1));
            }
        }
        word = AfterRun(word, count);
    }
}

template <class Layout>
void WalkEdgesClipped(const ClipFrame& f, const RLSprite& sprite, const Layout& layout) {
    if (sprite.edgeData == nullptr) return;
    RowTracker rows(f.spritePitch);
    const uint32_t* word = sprite.edgeData;
    for (int32_t i = 0; i + 2 <= sprite.edgeWordCount; i += 2, word += 2) {
        int64_t row, column;
        const int64_t offset = static_cast<int32_t>(word[0]) - f.rectOffset;
        if (!rows.Split(offset, f.rectRows, row, column)) continue;
        if (row < f.rowFirst || row > f.rowLast) continue;
        if (column < f.columnFirst || column > f.columnLast) continue;
        Pixel16* p = f.surface + (f.rectTop + row) * f.surfacePitch + f.rectLeft + column;
        *p = sprite_blend::BlendEdge(layout, word[1] & 0xFFFF, word[1] >> 16, *p);
    }
}

}  // namespace sprite_walk

#endif
