#include "conversion/EncoderLimitText.h"
#include "frames/FramePixelRules.h"

#include <Vantrel/RLSpriteEncode.h>

namespace {

// "text" without the line end the encoder's texts carry.
std::string Trimmed(const std::string& text) {
    std::string trimmed = text;
    while (!trimmed.empty() && (trimmed.back() == '\n' || trimmed.back() == '\r')) {
        trimmed.pop_back();
    }
    return trimmed;
}

bool StartsWith(const std::string& text, const char* start) {
    return text.rfind(start, 0) == 0;
}

std::string Facts(const ArtInProgress& art, const ArtSurvey& survey) {
    const FrameImage& image = art.rules->main;
    return art.what + " is " + std::to_string(image.width) + " x " + std::to_string(image.height) +
           " pixels with " + std::to_string(survey.opaquePixels) + " opaque pixels";
}

constexpr const char* kCropOrSplit = "crop the artwork or split it into smaller images";

}  // namespace

ArtSurvey SurveyArt(const FrameRules& rules, const Rect& rectangle) {
    ArtSurvey survey;
    FrameRules plain = rules;
    plain.feather = false;
    for (int32_t y = rectangle.top; y <= rectangle.bottom; ++y) {
        int64_t runLength = 0;
        const auto closeRun = [&] {
            if (runLength == 0) return;
            survey.runUnitsWithoutFeather += 4 + runLength;
            survey.runUnitsWithoutFeather += survey.runUnitsWithoutFeather & 1;
            runLength = 0;
        };
        for (int32_t x = rectangle.left; x <= rectangle.right; ++x) {
            const uint8_t kind = PixelCodeKind(ClassifyPixel(rules, x, y));
            if (kind != kTransparentPixel) ++survey.opaquePixels;
            if (IsEdgePixelKind(kind)) ++survey.edgePixels;
            const bool plainRunPixel = rules.feather
                                           ? kind != kTransparentPixel
                                           : PixelCodeKind(ClassifyPixel(plain, x, y)) == kRunPixel;
            if (plainRunPixel) {
                ++runLength;
            } else {
                closeRun();
            }
        }
        closeRun();
    }
    return survey;
}

std::string ExplainEncoderLimit(const std::string& text, const ArtInProgress& art) {
    const bool runs = StartsWith(text, "List too long ");
    const bool edges = StartsWith(text, "Edge list too long ");
    const bool far = StartsWith(text, "Sprite too large ") || StartsWith(text, "Hot spot too far ");
    if ((!runs && !edges && !far) || art.rules == nullptr) return text;

    const ArtSurvey survey = SurveyArt(*art.rules, art.rectangle);
    std::string explained = Trimmed(text) + ": " + Facts(art, survey);
    if (runs) {
        return explained + ", more than the run data of one sprite holds (" +
               std::to_string(kRunUnitLimit) +
               " units of 16 bits: one for every opaque pixel and about five for every run); " +
               kCropOrSplit;
    }
    if (edges) {
        explained += ", " + std::to_string(survey.edgePixels) +
                     " of them edge pixels, more than the edge list of one sprite holds (" +
                     std::to_string(kEdgeRecordLimit) + "); ";
        if (survey.runUnitsWithoutFeather <= kRunUnitLimit) {
            return explained + "switch Feather off (the F key, or --no-feather)";
        }
        return explained + kCropOrSplit;
    }
    return explained + ", spread wider than a sprite record reaches (" +
           std::to_string(kLargestSpriteSide) +
           " pixels from one run to the next, and from the corner to an edge pixel); " +
           kCropOrSplit;
}

std::string ExplainEncoderLimitOf(const std::string& text, const void* art) {
    return art == nullptr ? text
                          : ExplainEncoderLimit(text, *static_cast<const ArtInProgress*>(art));
}
