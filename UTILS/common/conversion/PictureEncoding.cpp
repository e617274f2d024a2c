#include "conversion/PictureEncoding.h"

#include <Vantrel/Fatal.h>

#include "frames/FramePixelRules.h"

namespace {

constexpr const char* kCropOrSplit = "crop the artwork or split it into smaller images";

// The encoder's text without the line end it carries.
std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

}  // namespace

std::string PictureLimitText(const EncodeStatus& status, const EncodeStatus& counts,
                             const std::string& what, const FrameImage& picture) {
    std::string text = Trimmed(EncodeLimitText(status)) + ": " + what + " is " +
                       std::to_string(picture.width) + " x " + std::to_string(picture.height) +
                       " pixels with " + std::to_string(counts.opaquePixels) + " opaque pixels";
    switch (status.limit) {
        case EncodeLimit::RunData:
            return text + ", more than the run data of one sprite holds (" +
                   std::to_string(kRunUnitLimit) +
                   " units of 16 bits: one for every opaque pixel and about five for every run); " +
                   kCropOrSplit;
        case EncodeLimit::EdgeList:
            text += ", " + std::to_string(counts.edgePixels) +
                    " of them edge pixels, more than the edge list of one sprite holds (" +
                    std::to_string(kEdgeRecordLimit) + "); ";
            if (counts.unitsWithoutEdges <= kRunUnitLimit) {
                return text + "switch Feather off (the F key, or --no-feather)";
            }
            return text + kCropOrSplit;
        case EncodeLimit::None:
        case EncodeLimit::SpriteSize:
        case EncodeLimit::HotSpot:
            break;
    }
    return text + ", spread wider than a sprite record reaches (" +
           std::to_string(kLargestSpriteSide) +
           " pixels from one run to the next, and from the corner to an edge pixel); " +
           kCropOrSplit;
}

void EncodePicture(const FrameRules& rules, const Rect& rectangle, int32_t cx, int32_t cy,
                   const std::string& what, RLSprite& sprite) {
    const EncodeStatus anchored = TryAnchorRLSprite(sprite, rectangle, cx, cy);
    const FrameSource source(rules);
    const EncodeStatus encoded = TryEncodeRLSprite(source.source, rectangle, sprite);
    const EncodeStatus& limit = anchored.limit != EncodeLimit::None ? anchored : encoded;
    if (limit.limit == EncodeLimit::None) return;
    // A sprite the anchoring refused may still hold the encoder's buffers.
    ReleaseRLSpriteData(sprite);
    ReportFatal(PictureLimitText(limit, encoded, what, rules.main).c_str());
}
