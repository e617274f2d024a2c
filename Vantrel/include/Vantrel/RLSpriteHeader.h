// The fixed 48-byte header that opens every RLSprite record, as one typed
// value: decoded once from the bytes, encoded once into them, and checked
// against the bytes that follow it. The record's layout (this header, then
// the run data, edge data and points) is described in docs/file-formats.md,
// section "The sprite record"; this unit is the one place in the code that
// knows the header's field offsets. The loader (LoadRLSprite and the safe
// face's TryLoadSprite), the writer (StoreRLSprite) and the file tools' map
// of a file (rlsinfo, rlsunpack) all go through it.
//
// Decoding never fails: every 48 bytes are some header. Whether a header can
// be used is CheckRLSpriteHeader's answer, a typed fault with the offset of
// the field at fault, which each caller words in its own terms (the loader's
// classic texts such as "LoadRLSprite: Negative count", the file map's
// "negative edge word count").
#ifndef VANTREL_RLSPRITE_HEADER_H
#define VANTREL_RLSPRITE_HEADER_H

#include <cstdint>

#include "RLSpriteData.h"
#include "Rect.h"

constexpr int kRLSpriteHeaderSize = 48;

struct RLSpriteHeader {
    int32_t runWordCount = 0;   // R, 32-bit words of run data
    int32_t edgeWordCount = 0;  // E, 32-bit words of edge data (two per record)
    int32_t pointCount = 0;     // P, points
    int16_t hotX = 0;           // the hot spot in sprite coordinates
    int16_t hotY = 0;
    Rect bounds;  // relative to the hot spot, right and bottom inclusive

    // 4R + 4E + 6P: the bytes that follow the header. Computed in 64 bits
    // from the counts as they stand; meaningful once the counts passed
    // CheckRLSpriteHeader (a negative count gives a smaller number).
    int64_t PayloadSize() const {
        return 4 * int64_t{runWordCount} + 4 * int64_t{edgeWordCount} + 6 * int64_t{pointCount};
    }
    int64_t RecordSize() const { return kRLSpriteHeaderSize + PayloadSize(); }
};

// Reads the header from 48 bytes (the reserved words are ignored).
RLSpriteHeader DecodeRLSpriteHeader(const uint8_t* bytes);
// Writes the header into 48 bytes, the reserved words as zero.
void EncodeRLSpriteHeader(const RLSpriteHeader& header, uint8_t* bytes);
// The header of an unbound sprite, as its record stores it.
RLSpriteHeader RLSpriteHeaderOf(const RLSprite& sprite);

// What CheckRLSpriteHeader finds wrong, in the order it looks.
enum class RLSpriteHeaderFault {
    kNone,
    kNegativeRunWords,
    kNegativeEdgeWords,
    kNegativePoints,
    kOddEdgeWords,      // an edge record is two words
    kPayloadPastTheEnd  // the data the counts announce is more than is left
};

struct RLSpriteHeaderCheck {
    RLSpriteHeaderFault fault = RLSpriteHeaderFault::kNone;
    // Bytes from the record's start to the field at fault (0 for the
    // payload: the whole record does not fit).
    int32_t fieldOffset = 0;
    bool ok() const { return fault == RLSpriteHeaderFault::kNone; }
};

// Checks the counts, then the payload against bytesLeft, the bytes that
// follow the header; a bytesLeft below 0 means the source cannot tell (a
// pipe, a reader callback), and the payload is then not compared.
RLSpriteHeaderCheck CheckRLSpriteHeader(const RLSpriteHeader& header, int64_t bytesLeft);

#endif
