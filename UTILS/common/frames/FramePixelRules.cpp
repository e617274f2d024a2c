// The row classifiers of the options the tools use work on whole rows of
// values and bit masks (FrameRows.h); combinations no tool uses, and alpha
// rows reaching past the image, go pixel by pixel.
#include "frames/FramePixelRules.h"

#include <bit>
#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

#include "frames/FramePixels.h"
#include "frames/FrameRows.h"

using namespace frame_pixels;
using namespace frame_rows;

namespace {

using RowClassifier = void (*)(const void*, int32_t, int32_t, int32_t, Pixel16*, uint8_t*);

void ClassifyRowByPixel(const FrameRules& rules, int32_t y, int32_t left, int32_t right,
                        Pixel16* values, uint8_t* kinds) {
    for (int32_t x = left; x <= right; ++x) {
        const uint32_t code = ClassifyPixel(rules, x, y);
        values[x - left] = PixelCodeValue(code);
        kinds[x - left] = PixelCodeKind(code);
    }
}

// Border without feather and alpha image: every non-black pixel is a run
// pixel, and so is every marker pixel, stored as opaque black.
void ClassifyBorderRow(const void* context, int32_t y, int32_t left, int32_t right, Pixel16* values,
                       uint8_t* kinds) {
    const FrameRules& rules = static_cast<const FrameSource*>(context)->rules;
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
            if (bytes0 == markerBytes) {
                first = 0;
                kind0 = kRunPixel;
            }
            if (bytes1 == markerBytes) {
                second = 0;
                kind1 = kRunPixel;
            }
            values[i] = static_cast<Pixel16>(first);
            values[i + 1] = static_cast<Pixel16>(second);
            kinds[i] = kind0;
            kinds[i + 1] = kind1;
        }
    }
    for (; i < n; ++i, p += 3) {
        const uint32_t colour = ColourAt(p);
        if (colour == marker) {
            values[i] = 0;
            kinds[i] = kRunPixel;
            continue;
        }
        const Pixel16 value = ValueOfColour(colour);
        values[i] = value;
        kinds[i] = value != 0 ? kRunPixel : kTransparentPixel;
    }
}

void ClassifyAnyRowByPixel(const void* context, int32_t y, int32_t left, int32_t right,
                           Pixel16* values, uint8_t* kinds) {
    ClassifyRowByPixel(static_cast<const FrameSource*>(context)->rules, y, left, right, values,
                       kinds);
}

// The source's masks, sized for rows of count pixels. The source object itself
// is not const; the encoder hands it on as const.
RowMasks& SizedMasks(const void* context, int32_t count) {
    RowMasks& masks = static_cast<FrameSource*>(const_cast<void*>(context))->masks;
    const auto words = static_cast<size_t>(MaskWords(count));
    for (auto* mask : {&masks.lit, &masks.opaque, &masks.white, &masks.run}) {
        if (mask->size() < words) mask->resize(words);
    }
    return masks;
}

// Bits i .. i + 63 of a mask, i = 64 * word + shift.
inline uint64_t BitsFrom(const uint64_t* mask, int32_t word, int shift) {
    return shift == 0 ? mask[word] : (mask[word] >> shift) | (mask[word + 1] << (64 - shift));
}

inline uint64_t LowBits(int32_t count, int32_t word) {
    const int32_t left = count - 64 * word;
    return left >= 64 ? ~uint64_t{0} : (uint64_t{1} << left) - 1;
}

// Frames without border, feather and alpha image: every non-black pixel is a
// run pixel. Pixels outside the image are black.
void ClassifyPlainRow(const void* context, int32_t y, int32_t left, int32_t right, Pixel16* values,
                      uint8_t* kinds) {
    const FrameRules& rules = static_cast<const FrameSource*>(context)->rules;
    const int32_t n = right - left + 1;
    RowMasks& masks = SizedMasks(context, n);
    ImageRowValues(rules.main, y, left, n, values, masks.lit.data());
    BitsToBytes(masks.lit.data(), n, kinds);
}

// Feather without an alpha image (and without border): an opaque pixel is an
// edge pixel when one of its eight neighbours is black. The lit masks of the
// row and the rows above and below, one column wider on each side, answer
// that for 64 pixels at a time; only edge pixels are looked at one by one,
// for their brightness. The masks move up by a row from one call to the next.
void ClassifyFeatherRow(const void* context, int32_t y, int32_t left, int32_t right,
                        Pixel16* values, uint8_t* kinds) {
    // The source object itself is not const; the encoder hands it on as const.
    auto& frameSource = *static_cast<FrameSource*>(const_cast<void*>(context));
    const FrameImage& main = frameSource.rules.main;
    FeatherRows& rows = frameSource.feather;
    const int32_t n = right - left + 1;
    const int32_t wide = n + 2;  // columns left - 1 .. right + 1
    const auto words = static_cast<size_t>(MaskWords(wide));
    for (auto* mask : {&rows.above, &rows.middle, &rows.below, &rows.run, &rows.edge}) {
        if (mask->size() < words) mask->resize(words);
    }
    for (auto* row : {&rows.middleValues, &rows.belowValues}) {
        if (row->size() < static_cast<size_t>(wide)) row->resize(static_cast<size_t>(wide));
    }
    if (rows.kept && rows.y + 1 == y && rows.left == left && rows.right == right) {
        std::swap(rows.above, rows.middle);
        std::swap(rows.middle, rows.below);
        std::swap(rows.middleValues, rows.belowValues);
    } else {
        ImageRowValues(main, y - 1, left - 1, wide, rows.middleValues.data(), rows.above.data());
        ImageRowValues(main, y, left - 1, wide, rows.middleValues.data(), rows.middle.data());
    }
    ImageRowValues(main, y + 1, left - 1, wide, rows.belowValues.data(), rows.below.data());
    rows.kept = true;
    rows.y = y;
    rows.left = left;
    rows.right = right;
    std::memcpy(values, rows.middleValues.data() + 1, static_cast<size_t>(n) * sizeof(Pixel16));
    const uint64_t* const above = rows.above.data();
    const uint64_t* const middle = rows.middle.data();
    const uint64_t* const below = rows.below.data();
    uint64_t* const run = rows.run.data();
    uint64_t* const edge = rows.edge.data();
    // Pixel i is column left + i, bit i + 1 of the wide masks; its neighbours
    // are bits i .. i + 2 above and below and bits i and i + 2 beside it.
    const int32_t wordCount = (n + 63) / 64;
    for (int32_t k = 0; k < wordCount; ++k) {
        const uint64_t opaque = BitsFrom(middle, k, 1) & LowBits(n, k);
        const uint64_t litNeighbours = BitsFrom(above, k, 0) & BitsFrom(above, k, 1) &
                                       BitsFrom(above, k, 2) & BitsFrom(middle, k, 0) &
                                       BitsFrom(middle, k, 2) & BitsFrom(below, k, 0) &
                                       BitsFrom(below, k, 1) & BitsFrom(below, k, 2);
        run[k] = opaque & litNeighbours;
        edge[k] = opaque & ~litNeighbours;
    }
    BitsToBytes(run, n, kinds);
    for (int32_t k = 0; k < wordCount; ++k) {
        for (uint64_t bits = edge[k]; bits != 0; bits &= bits - 1) {
            const int32_t i = 64 * k + std::countr_zero(bits);
            kinds[i] = EdgePixelKind(EdgeBrightness(ColourAt(PixelAt(main, left + i, y))));
        }
    }
}

// With an alpha image of the main image's size (and without border): the
// alpha pixel decides opacity and shading, the main pixel gives the colour.
void ClassifyAlphaRow(const void* context, int32_t y, int32_t left, int32_t right, Pixel16* values,
                      uint8_t* kinds) {
    const FrameRules& rules = static_cast<const FrameSource*>(context)->rules;
    const FrameImage& main = rules.main;
    const FrameImage& alpha = rules.alpha;
    if (alpha.width != main.width || alpha.height != main.height ||
        !RowInside(main, y, left, right) || !RowInside(alpha, y, left, right)) {
        ClassifyRowByPixel(rules, y, left, right, values, kinds);
        return;
    }
    const int32_t n = right - left + 1;
    RowMasks& masks = SizedMasks(context, n);
    uint64_t* const opaque = masks.opaque.data();
    uint64_t* const white = masks.white.data();
    uint64_t* const run = masks.run.data();
    RgbRowValues(PixelAt(main, left, y), n, values, masks.lit.data());
    RgbRowMasks(PixelAt(alpha, left, y), n, opaque, white);
    const int32_t words = (n + 63) / 64;
    if (!rules.feather) {
        BitsToBytes(opaque, n, kinds);
        return;
    }
    for (int32_t k = 0; k < words; ++k) run[k] = opaque[k] & white[k];
    BitsToBytes(run, n, kinds);
    for (int32_t k = 0; k < words; ++k) {
        for (uint64_t bits = opaque[k] & ~white[k]; bits != 0; bits &= bits - 1) {
            const int32_t i = 64 * k + std::countr_zero(bits);
            kinds[i] = EdgePixelKind(EdgeBrightness(ColourAt(PixelAt(alpha, left + i, y))));
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

namespace {

RowClassifier ChooseClassifier(const FrameRules& rules) {
    const bool hasAlpha = rules.alpha.pixels != nullptr;
    if (rules.border) {
        // Border with feather or an alpha image: rules no tool combines.
        if (hasAlpha || rules.feather) return ClassifyAnyRowByPixel;
        return ClassifyBorderRow;
    }
    if (hasAlpha) return ClassifyAlphaRow;
    if (rules.feather) return ClassifyFeatherRow;
    return ClassifyPlainRow;
}

}  // namespace

FrameSource::FrameSource(const FrameRules& frameRules)
    : rules(frameRules), source{this, ChooseClassifier(frameRules)} {}

void EncodeFrame(const FrameRules& rules, const Rect& rectangle, RLSprite& sprite) {
    FrameSource frameSource(rules);
    EncodeRLSprite(frameSource.source, rectangle, sprite);
}
