// The encoder's limits in words an artist can act on.
//
// The encoder (RLSpriteEncode.h) ends a sprite it cannot hold with a short
// text: "List too long N", "Edge list too long N", "Sprite too large N", and
// the anchoring with "Hot spot too far N". While a tool encodes one frame or
// image it keeps an ArtInProgress in a FatalContext (FatalContext.h); when a
// limit is met, ExplainEncoderLimit keeps the text's start and adds the frame
// or image, its size, its count of opaque pixels and what helps: crop or
// split the artwork, or switch Feather off when only the edge list is full.
// The art is surveyed only then, so an encoding that succeeds costs nothing.
#ifndef UTILS_COMMON_CONVERSION_ENCODER_LIMIT_TEXT_H
#define UTILS_COMMON_CONVERSION_ENCODER_LIMIT_TEXT_H

#include <cstdint>
#include <string>

#include <Vantrel/Rect.h>

#include "frames/FrameAnalysis.h"

struct ArtInProgress {
    std::string what;  // "frame /art/wasp05.tga", "image rock.tga"
    const FrameRules* rules = nullptr;
    Rect rectangle{0, 0, -1, -1};  // the part being encoded
};

// What the encoder meets in the rectangle under the rules.
struct ArtSurvey {
    int64_t opaquePixels = 0;  // run pixels and edge pixels
    int64_t edgePixels = 0;
    // 16-bit units the runs take with Feather off (every opaque pixel in a run).
    int64_t runUnitsWithoutFeather = 0;
};
ArtSurvey SurveyArt(const FrameRules& rules, const Rect& rectangle);

// The text explained for the art; any text that is not one of the encoder's
// limits comes back unchanged.
std::string ExplainEncoderLimit(const std::string& text, const ArtInProgress& art);

// FatalContext's explainer; data is a const ArtInProgress*.
std::string ExplainEncoderLimitOf(const std::string& text, const void* art);

#endif
