// Encoding one picture of a conversion (a ship's frame, a listed image) into
// its sprite, with the limits of the sprite record told in words an artist can
// act on.
//
// The encoder and the anchoring return a limit they meet (TryEncodeRLSprite,
// TryAnchorRLSprite); the fatal text keeps the encoder's own text ("List too
// long 256000") and adds the picture, its size, its count of opaque pixels and
// what helps: crop the artwork or split it into smaller images, or switch
// Feather off when only the edge list is full and the pixels would fit as
// plain runs.
#ifndef UTILS_COMMON_CONVERSION_PICTURE_ENCODING_H
#define UTILS_COMMON_CONVERSION_PICTURE_ENCODING_H

#include <cstdint>
#include <string>

#include <Vantrel/RLSprite.h>
#include <Vantrel/RLSpriteEncode.h>
#include <Vantrel/Rect.h>

#include "frames/FrameAnalysis.h"
#include "frames/FrameImage.h"

// Anchors the sprite at (cx, cy) of the picture and encodes the rectangle
// under the rules into it. what names the picture in a fatal text ("frame
// /art/wasp05.tga", "image rock.tga"). A limit ends the program through
// ReportFatal (PictureLimitText); a hot spot too far is told before a full
// list.
void EncodePicture(const FrameRules& rules, const Rect& rectangle, int32_t cx, int32_t cy,
                   const std::string& what, RLSprite& sprite);

// The text of a limit (status.limit is not None) met by the picture:
// "<the encoder's text>: <what> is W x H pixels with P opaque pixels, ...".
// counts gives what the picture holds (the encoder's status; for a hot spot
// too far, that of the encoding).
std::string PictureLimitText(const EncodeStatus& status, const EncodeStatus& counts,
                             const std::string& what, const FrameImage& picture);

#endif
