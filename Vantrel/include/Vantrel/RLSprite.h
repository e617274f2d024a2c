// RLSprite: one picture as horizontal runs of opaque 16-bit pixels, a list of
// feathered edge pixels, a hot spot and a bounding rectangle; its record in a
// file, the binding to a surface pitch, and the check that makes a sprite read
// from a file safe to bind and draw.
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
// happens once.
//
// Record on disk (little-endian, 48-byte header, then the data):
//     0 runWordCount R | 4 edgeWordCount E | 8 pointCount P | 12, 16 reserved |
//     20 int16 hot spot x | 22 int16 hot spot y | 24, 28 reserved |
//     32 bounds left | 36 top | 40 right | 44 bottom |
//     48 R run words | E edge words | P uint16 point values | P point positions
// Reserved words are written as zero and ignored when read. A record carries no
// magic and no length: the reader must know that one starts where it reads.
//
// Failures go to ReportFatal with the texts "StoreRLSprite: ...",
// "LoadRLSprite: ...". The loader checks the counts against the bytes left in
// the file before it allocates, and refuses a record whose data a drawing
// routine could not trust (see FindRLSpriteFault); it never reads or writes
// outside its buffers, whatever the file holds.
#ifndef VANTREL_RLSPRITE_H
#define VANTREL_RLSPRITE_H

#include <cstdint>
#include <cstdio>
#include <memory>

#include "Pixel.h"
#include "Rect.h"
#include "ScreenGeometry.h"

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

constexpr int kRLSpriteHeaderSize = 48;

// spritePitch (ScreenGeometry.h), the pitch in pixels of the most recent
// binding, starts at the screen width; this puts it back there (for tests).
void ResetSpritePitch();

// Places a sprite encoded from the image rectangle `rectangle` so that the
// image point (cx, cy) becomes its hot spot: hotSpot = (cx - left, cy - top),
// bounds = rectangle minus (cx, cy), no points. A hot spot that 16 bits cannot
// hold ends through ReportFatal with "Hot spot too far %ld\n" (the larger
// distance), as the record could not keep it.
void AnchorRLSprite(RLSprite& sprite, const Rect& rectangle, int32_t cx, int32_t cy);

// Writes the record of an unbound sprite. With a stream: at its position,
// leaving it open after the record (path is ignored). Without: creates path.
void StoreRLSprite(const RLSprite* sprite, const char* path, std::FILE* stream = nullptr);

// Reads one record and returns a new sprite (free it with FreeRLSprite). With a
// stream: from its position, leaving it after the record. Without: opens
// path. A non-zero pitch binds the sprite before it is returned.
RLSprite* LoadRLSprite(const char* path, int32_t pitch = 0, std::FILE* stream = nullptr);

// Binds an unbound sprite in place and makes pitch the spritePitch. Offsets
// are computed with 32-bit wrap-around; a sprite that passed
// FindRLSpriteFault for this pitch never wraps.
void BindRLSprite(RLSprite* sprite, int32_t pitch);

// Releases a loaded sprite and its buffers; nothing happens for null.
void FreeRLSprite(RLSprite* sprite);

// Releases the run and edge buffers of an encoded sprite (the sprite itself is
// the caller's) and clears their counts.
void ReleaseRLSpriteData(RLSprite& sprite);

// Bytes of the sprite's record: 48 + 4R + 4E + 6P.
int64_t RLSpriteSize(const RLSprite* sprite);

struct RLSpriteDeleter {
    void operator()(RLSprite* sprite) const { FreeRLSprite(sprite); }
};
using RLSpritePtr = std::unique_ptr<RLSprite, RLSpriteDeleter>;

// Checks an unbound sprite before it is trusted. Returns null when the sprite
// is well formed, else a short reason ("Bad run data", ...). Well formed means:
//   - counts are not negative, the edge word count is even, a buffer is
//     present whenever its count is not 0;
//   - the runs consume exactly runWordCount words, each run has at least one
//     pixel, runs follow scan order without overlapping;
//   - edge levels are 1..4 and edge records follow scan order, one per pixel;
//   - every run pixel and edge pixel lies at sprite coordinates x, y >= 0 and,
//     seen from the hot spot, inside `bounds`; the bounds lie within
//     +-kRLSpriteBoundsLimit;
//   - with a non-zero pitch: every offset binding produces (hot spot, run
//     deltas, run starts, edge positions) fits a signed 32-bit value.
// Files the encoder writes always pass. Points are not drawn and not checked.
constexpr int32_t kRLSpriteBoundsLimit = 65536;
const char* FindRLSpriteFault(const RLSprite& sprite, int32_t pitch = 0);
inline bool RLSpriteIsWellFormed(const RLSprite& sprite, int32_t pitch = 0) {
    return FindRLSpriteFault(sprite, pitch) == nullptr;
}

#endif
