// The encoder's pixel rules for the tools' frames: per pixel (ClassifyPixel,
// the reference) and per row, with fast row classifiers for the common cases
// that fall back to the per-pixel rules wherever a row or its neighbourhood
// leaves the image.
#include <bit>
#include <cstddef>
#include <cstring>
#include <vector>

#include "FrameAnalysis.h"
#include "FramePixels.h"

using namespace frame_pixels;

namespace {

void ClassifyRowByPixel(const FrameRules& rules, int32_t y, int32_t left, int32_t right,
                        Pixel16* values, uint8_t* kinds) {
    for (int32_t x = left; x <= right; ++x) {
        const uint32_t code = ClassifyPixel(rules, x, y);
        values[x - left] = PixelCodeValue(code);
        kinds[x - left] = PixelCodeKind(code);
    }
}

// Frames without feather and alpha image: every non-black pixel is a run
// pixel; with border, marker pixels too, stored as opaque black.
template <bool kBorder>
void ClassifyOpaqueRow(const void* context, int32_t y, int32_t left, int32_t right, Pixel16* values,
                       uint8_t* kinds) {
    const auto& rules = *static_cast<const FrameRules*>(context);
    if (!RowInside(rules.main, y, left, right)) {
        ClassifyRowByPixel(rules, y, left, right, values, kinds);
        return;
    }
    const uint32_t marker = rules.marker;
    const uint8_t* p = PixelAt(rules.main, left, y);
    const int32_t n = right - left + 1;
    int32_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // Two pixels from one eight-byte read: the same masks and shifts
        // make both RGB565 values at once, in bits 0..15 and 24..39. The
        // reads stop two bytes short of the image's end.
        const size_t bytesAfterRow =
            static_cast<size_t>(rules.main.height - 1 - y) * 3 * rules.main.width +
            3 * static_cast<size_t>(rules.main.width - 1 - right);
        const int32_t pairs = bytesAfterRow >= 2 ? n / 2 : (n - 1) / 2;
        // The marker as its three bytes read little-endian (B, G, R from the top).
        const uint32_t markerBytes = (marker >> 16) | (marker & 0xFF00) | ((marker & 0xFF) << 16);
        for (int32_t k = 0; k < pairs; ++k, i += 2, p += 6) {
            uint64_t two;
            std::memcpy(&two, p, 8);
            const uint64_t packed = ((two & 0x0000F80000F8ull) << 8) |
                                    ((two & 0x00FC0000FC00ull) >> 5) |
                                    ((two & 0xF80000F80000ull) >> 19);
            const auto bytes0 = static_cast<uint32_t>(two & 0xFFFFFF);
            const auto bytes1 = static_cast<uint32_t>((two >> 24) & 0xFFFFFF);
            uint32_t first = static_cast<uint32_t>(packed & 0xFFFF);
            uint32_t second = static_cast<uint32_t>((packed >> 24) & 0xFFFF);
            if (first == 0 && bytes0 != 0) first = ValueOfChannels(p[0], p[1], p[2]);
            if (second == 0 && bytes1 != 0) second = ValueOfChannels(p[3], p[4], p[5]);
            uint8_t kind0 = first != 0 ? kRunPixel : kTransparentPixel;
            uint8_t kind1 = second != 0 ? kRunPixel : kTransparentPixel;
            if (kBorder) {
                if (bytes0 == markerBytes) {
                    first = 0;
                    kind0 = kRunPixel;
                }
                if (bytes1 == markerBytes) {
                    second = 0;
                    kind1 = kRunPixel;
                }
            }
            values[i] = static_cast<Pixel16>(first);
            values[i + 1] = static_cast<Pixel16>(second);
            kinds[i] = kind0;
            kinds[i + 1] = kind1;
        }
    }
    for (; i < n; ++i, p += 3) {
        const uint32_t colour = ColourAt(p);
        if (kBorder && colour == marker) {
            values[i] = 0;
            kinds[i] = kRunPixel;
            continue;
        }
        const Pixel16 value = ValueOfColour(colour);
        values[i] = value;
        kinds[i] = value != 0 ? kRunPixel : kTransparentPixel;
    }
}

// Feather without an alpha image, for rows whose eight-neighbourhoods lie in
// the image: the blackness of the three rows is taken once per column.
void ClassifyFeatherRow(const void* context, int32_t y, int32_t left, int32_t right,
                        Pixel16* values, uint8_t* kinds) {
    const auto& rules = *static_cast<const FrameRules*>(context);
    const FrameImage& main = rules.main;
    if (main.pixels == nullptr || y < 1 || y > main.height - 2 || left < 1 ||
        right > main.width - 2) {
        ClassifyRowByPixel(rules, y, left, right, values, kinds);
        return;
    }
    const int32_t n = right - left + 1;
    // Scratch reused from row to row, one per thread: encoders may run side by side.
    static thread_local std::vector<uint8_t> black;
    black.resize(3 * static_cast<size_t>(n + 2));
    uint8_t* const above = black.data();
    uint8_t* const middle = above + n + 2;
    uint8_t* const below = middle + n + 2;
    // Locals: the flags are bytes, which the compiler must assume may alias
    // the rules.
    const uint8_t* up = PixelAt(main, left - 1, y - 1);
    const ptrdiff_t stride = static_cast<ptrdiff_t>(main.width) * 3;
    for (int32_t c = 0, columns = n + 2; c < columns; ++c, up += 3) {
        above[c] = IsBlackAt(up);
        middle[c] = IsBlackAt(up + stride);
        below[c] = IsBlackAt(up + 2 * stride);
    }
    const bool border = rules.border;
    const uint32_t marker = rules.marker;
    const uint8_t* p = PixelAt(main, left, y);
    for (int32_t i = 0; i < n; ++i, p += 3) {
        const uint32_t colour = ColourAt(p);
        const bool isMarker = border && colour == marker;
        if (colour == 0 && !isMarker) {
            values[i] = 0;
            kinds[i] = kTransparentPixel;
            continue;
        }
        const Pixel16 value = ValueOfColour(colour);
        const bool edge = (above[i] | above[i + 1] | above[i + 2] | middle[i] | middle[i + 2] |
                           below[i] | below[i + 1] | below[i + 2]) != 0;
        if (edge) {
            values[i] = value;
            kinds[i] = EdgePixelKind(EdgeBrightness(colour));
        } else {
            values[i] = isMarker ? 0 : value;
            kinds[i] = kRunPixel;
        }
    }
}

// With an alpha image of the main image's size: the alpha pixel decides
// opacity and shading, the main pixel gives the colour.
void ClassifyAlphaRow(const void* context, int32_t y, int32_t left, int32_t right, Pixel16* values,
                      uint8_t* kinds) {
    const auto& rules = *static_cast<const FrameRules*>(context);
    const FrameImage& main = rules.main;
    const FrameImage& alpha = rules.alpha;
    if (alpha.width != main.width || alpha.height != main.height ||
        !RowInside(main, y, left, right) || !RowInside(alpha, y, left, right)) {
        ClassifyRowByPixel(rules, y, left, right, values, kinds);
        return;
    }
    const uint8_t* p = PixelAt(main, left, y);
    const uint8_t* a = PixelAt(alpha, left, y);
    for (int32_t i = 0, n = right - left + 1; i < n; ++i, p += 3, a += 3) {
        const uint32_t shade = ColourAt(a);
        if (shade == 0) {
            values[i] = 0;
            kinds[i] = kTransparentPixel;
            continue;
        }
        const uint32_t colour = ColourAt(p);
        const Pixel16 value = ValueOfColour(colour);
        if (rules.feather && shade != kWhiteColour) {
            values[i] = value;
            kinds[i] = EdgePixelKind(EdgeBrightness(shade));
        } else {
            values[i] = rules.border && colour == rules.marker ? 0 : value;
            kinds[i] = kRunPixel;
        }
    }
}

}  // namespace

uint32_t ClassifyPixel(const FrameRules& rules, int32_t x, int32_t y) {
    uint32_t colour = 0;
    const Pixel16 value = GetMainPixel(rules, x, y, &colour);
    const bool isMarker = rules.border && colour == rules.marker;
    const bool hasAlpha = rules.alpha.pixels != nullptr;
    uint32_t alpha = 0;
    if (hasAlpha) {
        alpha = ReadRgb(rules.alpha, x, y);
        if (alpha == 0) return kTransparentPixelCode;
    } else if (value == 0 && !isMarker) {
        return kTransparentPixelCode;
    }
    if (rules.feather) {
        const bool edge = hasAlpha ? alpha != kWhiteColour : IsEdgePixel(rules.main, x, y);
        if (edge) return EdgePixelCode(value, EdgeBrightness(hasAlpha ? alpha : colour));
    }
    return RunPixelCode(isMarker ? 0 : value);
}

RLSpriteSource MakeFrameSource(const FrameRules& rules) {
    if (rules.alpha.pixels != nullptr) return RLSpriteSource{&rules, ClassifyAlphaRow};
    if (rules.feather) return RLSpriteSource{&rules, ClassifyFeatherRow};
    return RLSpriteSource{&rules,
                          rules.border ? ClassifyOpaqueRow<true> : ClassifyOpaqueRow<false>};
}

void EncodeFrame(const FrameRules& rules, const Rect& rectangle, RLSprite& sprite) {
    EncodeRLSprite(MakeFrameSource(rules), rectangle, sprite);
}
