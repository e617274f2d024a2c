// Walking a bound sprite's runs onto a surface, whole or cut to a clip
// rectangle, with a span operation (SpriteSpans.h) applied to each run.
//
// Run layout (bound): word 0 the run start minus the previous run's start as
// x + y * the sprite's pitch, word 1 the pixel count n, then n pixels two to a word,
// the first in the low half.
//
// The walks stop at a run whose count or length does not fit the run words,
// so they never read past runData. The whole walk trusts the sprite's pixels
// to lie inside its bounds (the loaders check this); the clipped walk trusts
// nothing and writes only inside the ClipFrame's visible rectangle.
//
// Internal to the drawing code.
#ifndef VANTREL_SPRITE_WALK_H
#define VANTREL_SPRITE_WALK_H

#include <cstddef>
#include <cstdint>

#include <Vantrel/Pixel.h>

namespace sprite_walk {

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

// The current row of a clipped walk, found without a division: it starts at
// the first visible row and steps down row by row as the offsets it is moved
// to grow. As it never passes the visible rows, the steps of one draw are at
// most their number. Everything is kept as rectangle-relative offsets, so a
// run is cut with two comparisons: the row's start, its visible columns, and
// the surface index of an offset on the row less that offset.
class RowWindow {
public:
    explicit RowWindow(const ClipFrame& f)
        : pitch_(f.spritePitch),
          step_(f.surfacePitch - f.spritePitch),
          start_(f.rowFirst * f.spritePitch),
          end_(start_ + f.spritePitch),
          first_(start_ + f.columnFirst),
          last_(start_ + f.columnLast),
          bias_((f.rectTop + f.rowFirst) * f.surfacePitch + f.rectLeft - start_) {}
    // Offset of the current row's column 0.
    int64_t Start() const { return start_; }
    // Offsets of the current row's first and last visible columns.
    int64_t First() const { return first_; }
    int64_t Last() const { return last_; }
    // What turns an offset on the current row into a surface index.
    int64_t Bias() const { return bias_; }
    // offset must lie at or after Start().
    void MoveTo(int64_t offset) {
        while (offset >= end_) {
            start_ = end_;
            end_ += pitch_;
            first_ += pitch_;
            last_ += pitch_;
            bias_ += step_;
        }
    }

private:
    int64_t pitch_, step_, start_, end_, first_, last_, bias_;
};

// The part of the run at offset, which lies on the window's row, that falls
// in the row's visible columns.
template <class Span>
void DrawVisiblePart(Pixel16* surface, const RowWindow& row, int64_t offset, int32_t count,
                     const uint32_t* pixels, const Span& span) {
    const int64_t first = offset > row.First() ? offset : row.First();
    const int64_t lastInRun = offset + count - 1;
    const int64_t last = lastInRun < row.Last() ? lastInRun : row.Last();
    if (first <= last)
        span(surface + (row.Bias() + first), pixels, static_cast<int32_t>(first - offset),
             static_cast<int32_t>(last - first + 1));
}

// The visible part of the runs from `runs`, starting at rectangle-relative
// offset `offset` (before the first run's delta). Runs above the visible rows
// are passed over and the first run below them ends the walk; each run is cut
// to the visible columns of its row. A run that steps back to an earlier row
// (no loaded sprite does) is left out.
template <class Runs, class Span>
void WalkClipped(const ClipFrame& f, Runs runs, int64_t offset, const Span& span) {
    Pixel16* const surface = f.surface;
    const int64_t visibleEnd = (f.rowLast + 1) * f.spritePitch;
    RowWindow row(f);
    int32_t delta, count;
    const uint32_t* pixels;
    while (runs.Next(delta, count, pixels)) {
        offset += delta;
        if (offset < row.Start()) continue;  // above the visible rows, or a step back
        // Runs follow scan order (the loaders insist), so the first run below
        // the visible rows ends the visible part.
        if (offset >= visibleEnd) break;
        row.MoveTo(offset);
        DrawVisiblePart(surface, row, offset, count, pixels, span);
    }
}

// The runs of the visible rows of a sprite drawn at the surface's own pitch,
// each cut to the visible columns. The index has checked that every run lies
// within one row of the rectangle, so a rectangle-relative offset o lies o
// pixels after the rectangle's top-left on the surface and the row only
// decides the visible columns. offset is the rectangle-relative offset before
// the first run's delta.
//
// The plain copy comes here as InlineCopySpan: a library call in the loop
// makes the compiler keep the walk's state on the stack, and every run then
// waits for it to come back from memory.
template <class Runs, class Span>
void WalkColumnsClipped(const ClipFrame& f, Runs runs, int64_t offset, const Span& span) {
    Pixel16* const topLeft = f.surface + (f.rectTop * f.surfacePitch + f.rectLeft);
    const int64_t pitch = f.spritePitch;
    int64_t rowEnd = (f.rowFirst + 1) * pitch;
    // The current row's visible columns, [first, end) as offsets.
    int64_t first = f.rowFirst * pitch + f.columnFirst;
    int64_t end = f.rowFirst * pitch + f.columnLast + 1;
    int32_t delta, count;
    const uint32_t* pixels;
    while (runs.Next(delta, count, pixels)) {
        offset += delta;
        while (offset >= rowEnd) {
            rowEnd += pitch;
            first += pitch;
            end += pitch;
        }
        const int64_t a = offset > first ? offset : first;
        const int64_t runEnd = offset + count;
        const int64_t b = runEnd < end ? runEnd : end;
        if (a < b)
            span(topLeft + a, pixels, static_cast<int32_t>(a - offset),
                 static_cast<int32_t>(b - a));
    }
}

}  // namespace sprite_walk

#endif
