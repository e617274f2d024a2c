// The encoder's pixel rules for the tools' frames: which pixels of a frame
// are transparent, run pixels or feathered edge pixels, and how bright each
// edge pixel counts, per pixel (ClassifyPixel, the reference) and per row
// (the source the encoder reads, FrameSource). The row classifiers of the
// options the tools use work on whole rows of values and bit masks
// (FrameRows.h) and give the same codes as ClassifyPixel.
#ifndef UTILS_COMMON_FRAMES_FRAME_PIXEL_RULES_H
#define UTILS_COMMON_FRAMES_FRAME_PIXEL_RULES_H

#include <cstdint>
#include <vector>

#include <Vantrel/Pixel.h>
#include <Vantrel/RLSprite.h>
#include <Vantrel/RLSpriteEncode.h>
#include <Vantrel/Rect.h>

#include "frames/FrameAnalysis.h"

// The encoder's pixel code for (x, y) under the rules (see RLSpriteEncode.h):
//   opaque: without alpha, value != 0 or (border and colour == marker); with
//           alpha, the alpha pixel is not black;
//   edge (feather only): with alpha, the alpha colour is neither black nor
//           white; without, IsEdgePixel. Brightness from the alpha colour when
//           present, else from the main colour;
//   run value: 0 for a marker pixel under border, else the main pixel's value.
uint32_t ClassifyPixel(const FrameRules& rules, int32_t x, int32_t y);

// What the feathering row classifier keeps from one row for the next: the
// lit masks (FrameRows.h) of the rows above, at and below the row it last
// classified, one column wider on each side, and the values of that row and
// the one below. A source that is asked for the next row converts one new
// row instead of three.
struct FeatherRows {
    bool kept = false;
    int32_t y = 0;
    int32_t left = 0;
    int32_t right = 0;
    std::vector<uint64_t> above, middle, below, run, edge;
    std::vector<Pixel16> middleValues, belowValues;
};

// Masks the plain and alpha row classifiers reuse from row to row.
struct RowMasks {
    std::vector<uint64_t> lit, opaque, white, run;
};

// The encoder's source for the rules (source.context is this object). The
// rules must outlive it, and neither they nor their images may change while
// it is in use. It holds its classifier's row scratch, so sources on
// different threads share nothing; one source serves one encoder at a time.
struct FrameSource {
    explicit FrameSource(const FrameRules& frameRules);
    FrameSource(const FrameSource&) = delete;
    FrameSource& operator=(const FrameSource&) = delete;

    const FrameRules& rules;
    FeatherRows feather;
    RowMasks masks;
    RLSpriteSource source;
};

// EncodeRLSprite of rectangle under the rules.
void EncodeFrame(const FrameRules& rules, const Rect& rectangle, RLSprite& sprite);

// The record EncodeFrame fills for one image. It owns the run and edge buffers
// and releases them when it goes out of scope: after the record is written,
// and when a fatal report unwinds the job (the test shell throws).
struct FrameSprite {
    RLSprite record;

    FrameSprite() = default;
    FrameSprite(const FrameSprite&) = delete;
    FrameSprite& operator=(const FrameSprite&) = delete;
    ~FrameSprite() { ReleaseRLSpriteData(record); }
};

#endif
