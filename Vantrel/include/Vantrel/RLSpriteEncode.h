/// @file
/// The RLSprite encoder: turns a rectangle of a source picture into the run
/// records and edge records of an unbound sprite (layouts in RLSprite.h).
///
/// The encoder does not know pixels. Its source classifies a row of the
/// rectangle at a time into pixel codes (transparent, run pixel with its value,
/// or edge pixel with its value and brightness); the tools' frame analysis
/// supplies such a source for its frames. One call per row keeps the per-pixel
/// rules inlined on the source's side and the run building here.
///
/// Limits: the run data holds at most 256000 16-bit units and the edge data
/// 2500 records. The record holds run deltas and edge positions as signed
/// 16-bit values: a run that starts more than 32767 pixels across or down from
/// the previous run start, or an edge pixel more than 32767 pixels from the
/// rectangle's top-left corner, cannot be stored, and neither can a rectangle
/// wider or taller than 65535 pixels, the largest side an image has. Runs
/// themselves may reach further: a 65535 x 1 strip of one run encodes. The
/// anchoring (AnchorRLSprite, RLSprite.h) holds the hot spot in 16 bits too.
///
/// Each limit has a value, EncodeLimit, and a fixed text:
///     RunData     "List too long %ld\n"       the units held when it was met
///     EdgeList    "Edge list too long %ld\n"  the edge units (four a record) held
///     SpriteSize  "Sprite too large %ld\n"    the rectangle's larger side
///     HotSpot     "Hot spot too far %ld\n"    the hot spot's larger distance
/// EncodeRLSprite and AnchorRLSprite end a sprite they cannot hold through
/// ReportFatal with that text; TryEncodeRLSprite and TryAnchorRLSprite return
/// the limit and its number instead, so that a caller can say more (what the
/// picture holds, what helps) without reading the text. The only other failure
/// is "EncodeRLSprite: Unable to allocate memory" for the sprite's own buffers,
/// reported by both forms.
///
/// The encoder may run on several threads at once, each with its own source and
/// sprite: every call borrows a scratch buffer from a pool kept under a lock
/// and gives it back when it returns (or a fatal report unwinds it).
#ifndef VANTREL_RLSPRITE_ENCODE_H
#define VANTREL_RLSPRITE_ENCODE_H

#include <cstdint>
#include <string>

#include "Pixel.h"
#include "RLSprite.h"
#include "Rect.h"

///@{
/// Pixel kinds, one byte per pixel: transparent, run pixel, or edge pixel with
/// its brightness 0..31 in bits 2..6.
constexpr uint8_t kTransparentPixel = 0;
constexpr uint8_t kRunPixel = 1;
constexpr uint8_t kEdgePixel = 2;
///@}
/// The kind of an edge pixel of brightness 0..31.
inline uint8_t EdgePixelKind(int brightness) {
    return static_cast<uint8_t>(kEdgePixel | ((brightness & 31) << 2));
}
/// Whether kind is an edge pixel's.
inline bool IsEdgePixelKind(uint8_t kind) {
    return (kind & 3) == kEdgePixel;
}
/// The brightness an edge pixel's kind holds.
inline int EdgeKindBrightness(uint8_t kind) {
    return kind >> 2;
}

/// One pixel's kind and value as a single number (kind << 16 | value), for
/// per-pixel rules and their tests; a transparent pixel is 0.
constexpr uint32_t kTransparentPixelCode = 0;
/// The code of a run pixel of the value.
inline uint32_t RunPixelCode(Pixel16 value) {
    return (uint32_t{kRunPixel} << 16) | value;
}
/// The code of an edge pixel of the value and brightness.
inline uint32_t EdgePixelCode(Pixel16 value, int brightness) {
    return (static_cast<uint32_t>(EdgePixelKind(brightness)) << 16) | value;
}
/// The kind a code holds.
inline uint8_t PixelCodeKind(uint32_t code) {
    return static_cast<uint8_t>(code >> 16);
}
/// The value a code holds.
inline Pixel16 PixelCodeValue(uint32_t code) {
    return static_cast<Pixel16>(code);
}

/// The picture the encoder scans, one row at a time.
struct RLSpriteSource {
    const void* context;  ///< handed to classifyRow unchanged
    /// For the pixels (left + i, y), i from 0 to right - left: kinds[i] and,
    /// for run and edge pixels, values[i] (the RGB565 value).
    void (*classifyRow)(const void* context, int32_t y, int32_t left, int32_t right,
                        Pixel16* values, uint8_t* kinds);
};

/// The most 16-bit units of run data a sprite holds.
constexpr int32_t kRunUnitLimit = 256000;
/// The most edge records a sprite holds.
constexpr int32_t kEdgeRecordLimit = 2500;

/// The largest run delta and edge coordinate a record holds.
constexpr int32_t kLargestSpriteSide = 32767;
/// The largest rectangle side the encoder takes.
constexpr int32_t kLargestRectangleSide = 65535;

/// Scans the inclusive rectangle (image coordinates) of the source row by row,
/// top to bottom, each row left to right, and sets runWordCount, runData,
/// edgeWordCount and edgeData of the sprite; the rest of the sprite is the
/// caller's (see AnchorRLSprite). runData is always a tracked buffer (of no
/// words when there are no runs); edgeData is null when there are no edge
/// records. Release both with ReleaseRLSpriteData. A limit ends the program
/// through ReportFatal with its text.
void EncodeRLSprite(const RLSpriteSource& source, const Rect& rectangle, RLSprite& sprite);

/// The limit that stopped a sprite (the table above), or None.
enum class EncodeLimit {
    None,        ///< the sprite fits
    RunData,     ///< "List too long": more run data than kRunUnitLimit
    EdgeList,    ///< "Edge list too long": more edge records than kEdgeRecordLimit
    SpriteSize,  ///< "Sprite too large": a delta, edge position or side beyond 16 bits
    HotSpot,     ///< "Hot spot too far": the hot spot beyond 16 bits
};

/// The outcome of TryEncodeRLSprite and TryAnchorRLSprite.
///
/// The pixel counts are what the rectangle holds under the source's rules,
/// counted over all of it, also past the point where a limit stopped the
/// sprite (zero from TryAnchorRLSprite, which reads no pixel, and for a
/// rectangle beyond 65535 pixels a side, which is not scanned).
struct EncodeStatus {
    EncodeLimit limit = EncodeLimit::None;  ///< the limit met
    int64_t number = 0;                     ///< the number of the limit's text
    int64_t opaquePixels = 0;               ///< run pixels and edge pixels
    int64_t edgePixels = 0;                 ///< edge pixels
    /// Only when a limit stopped the sprite: the run data units the rectangle
    /// would take if every opaque pixel were a run pixel (the edge pixels drawn
    /// plainly instead). Counting them costs the scan nothing until then.
    int64_t unitsWithoutEdges = 0;
};

/// EncodeRLSprite that returns a limit instead of reporting it. With a limit
/// the sprite is left as it was (no buffer is made).
EncodeStatus TryEncodeRLSprite(const RLSpriteSource& source, const Rect& rectangle,
                               RLSprite& sprite);

/// AnchorRLSprite that returns a hot spot beyond 16 bits (HotSpot) instead of
/// reporting it; the sprite is then left as it was.
EncodeStatus TryAnchorRLSprite(RLSprite& sprite, const Rect& rectangle, int32_t cx, int32_t cy);

/// The limit's text ("List too long 256000\n", ...); empty for EncodeLimit::None.
std::string EncodeLimitText(const EncodeStatus& status);

/// Blend level (1..4) of an edge pixel of brightness 0..31, and through colour
/// the pixel p premultiplied with the level's opacity (1/4, 1/2, 3/4, 7/8).
int FeatherLevel(Pixel16 p, int brightness, Pixel16& colour);

#endif
