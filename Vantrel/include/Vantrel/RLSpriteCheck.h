/// @file
/// The check that makes an RLSprite read from a file safe to bind and draw.
#ifndef VANTREL_RLSPRITE_CHECK_H
#define VANTREL_RLSPRITE_CHECK_H

#include <cstdint>

#include "RLSpriteData.h"

/// Checks an unbound sprite before it is trusted. Returns null when the sprite
/// is well formed, else a short reason ("Bad run data", ...). Well formed means:
///   - counts are not negative, the edge word count is even, a buffer is
///     present whenever its count is not 0;
///   - the runs consume exactly runWordCount words, each run has at least one
///     pixel, runs follow scan order without overlapping;
///   - edge levels are 1..4 and edge records follow scan order, one per pixel;
///   - every run pixel and edge pixel lies at sprite coordinates x, y >= 0 and,
///     seen from the hot spot, inside `bounds`; the bounds lie within
///     +-kRLSpriteBoundsLimit;
///   - with a non-zero pitch: every offset binding produces (hot spot, run
///     deltas, run starts, edge positions) fits a signed 32-bit value.
/// Files the encoder writes always pass. Points are not drawn and not checked.
const char* FindRLSpriteFault(const RLSprite& sprite, int32_t pitch = 0);
/// Whether FindRLSpriteFault finds nothing wrong.
inline bool RLSpriteIsWellFormed(const RLSprite& sprite, int32_t pitch = 0) {
    return FindRLSpriteFault(sprite, pitch) == nullptr;
}

#endif
