#include "FrameAnalysis.h"

#include <bit>
#include <cstddef>
#include <cstring>
#include <vector>

namespace {

inline bool Inside(const FrameImage& image, int32_t x, int32_t y) {
    return image.pixels != nullptr && x >= 0 && y >= 0 && x < image.width && y < image.height;
}

inline const uint8_t* PixelAt(const FrameImage& image, int32_t x, int32_t y) {
    return image.pixels +
           3 * (static_cast<size_t>(x) + static_cast<size_t>(y) * static_cast<size_t>(image.width));
}

inline uint32_t ColourAt(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
}

inline bool IsBlackAt(const uint8_t* p) {
    return (p[0] | p[1] | p[2]) == 0;
}

// RgbTo565NonBlack, inlined for the per-pixel loops: truncation, except that a
// colour with any light never becomes 0.
inline Pixel16 ValueOfChannels(uint32_t r, uint32_t g, uint32_t b) {
    const uint32_t value = ((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3);
    const uint32_t dim = (r != 0 ? 0x0800u : 0u) | (g != 0 ? 0x0020u : 0u) | (b != 0 ? 1u : 0u);
    return static_cast<Pixel16>(value != 0 ? value : dim);
}

inline Pixel16 ValueOfColour(uint32_t colour) {
    return ValueOfChannels(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF);
}

void WriteColour(FrameImage& image, int32_t x, int32_t y, uint32_t colour) {
    auto* p = const_cast<uint8_t*>(PixelAt(image, x, y));
    p[0] = static_cast<uint8_t>(colour >> 16);
    p[1] = static_cast<uint8_t>(colour >> 8);
    p[2] = static_cast<uint8_t>(colour);
}

// The eight neighbours in pattern order: above left, then clockwise.
constexpr int kNeighbourDx[8] = {-1, 0, 1, 1, 1, 0, -1, -1};
constexpr int kNeighbourDy[8] = {-1, -1, -1, 0, 1, 1, 1, 0};

// Whether the whole row of pixels left..right at y lies in the image.
inline bool RowInside(const FrameImage& image, int32_t y, int32_t left, int32_t right) {
    return image.pixels != nullptr && y >= 0 && y < image.height && left >= 0 &&
           right < image.width;
}

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
    static std::vector<uint8_t> black;
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

uint32_t ReadRgb(const FrameImage& image, int32_t x, int32_t y, uint8_t* r, uint8_t* g,
                 uint8_t* b) {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    if (Inside(image, x, y)) {
        const uint8_t* p = PixelAt(image, x, y);
        red = p[0];
        green = p[1];
        blue = p[2];
    }
    if (r != nullptr) *r = red;
    if (g != nullptr) *g = green;
    if (b != nullptr) *b = blue;
    return (static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8) | blue;
}

Pixel16 GetMainPixel(const FrameRules& rules, int32_t x, int32_t y, uint32_t* colour) {
    uint32_t c = ReadRgb(rules.main, x, y);
    if (colour != nullptr) *colour = c;
    return ValueOfColour(c);
}

Pixel16 GetAlphaPixel(const FrameRules& rules, int32_t x, int32_t y, uint32_t* colour) {
    uint32_t c = ReadRgb(rules.alpha, x, y);
    if (colour != nullptr) *colour = c;
    return ValueOfColour(c);
}

bool IsSolidPixel(uint32_t colour, uint32_t marker) {
    if (colour == marker || colour == 0) return false;
    const uint32_t r = colour >> 16;
    const uint32_t g = (colour >> 8) & 0xFF;
    const uint32_t b = colour & 0xFF;
    return r > 31 || g > 31 || b > 31;
}

bool HasSolidNeighbour(const FrameImage& image, int32_t x, int32_t y, uint32_t marker) {
    return IsSolidPixel(ReadRgb(image, x - 1, y), marker) ||
           IsSolidPixel(ReadRgb(image, x + 1, y), marker) ||
           IsSolidPixel(ReadRgb(image, x, y - 1), marker) ||
           IsSolidPixel(ReadRgb(image, x, y + 1), marker);
}

uint8_t NeighbourPattern(const FrameImage& image, int32_t x, int32_t y) {
    uint8_t pattern = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (ReadRgb(image, x + kNeighbourDx[bit], y + kNeighbourDy[bit]) != 0) {
            pattern = static_cast<uint8_t>(pattern | (1u << bit));
        }
    }
    return pattern;
}

bool IsRemovableCornerPattern(uint8_t pattern) {
    if (pattern == 7 || pattern == 28 || pattern == 112 || pattern == 193) return true;
    const int sides = pattern & 170;
    if (sides == 34 || sides == 136) return true;
    if (pattern == 129) return true;
    for (int shift = 0; shift <= 6; ++shift) {
        if (pattern == (3 << shift)) return true;
    }
    return false;
}

bool IsOutlineCorner(const FrameImage& image, int32_t x, int32_t y) {
    return IsRemovableCornerPattern(NeighbourPattern(image, x, y));
}

uint32_t FindMarkerColour(const FrameImage& image) {
    constexpr int kStrengths = 30;
    constexpr int kCandidates = 4 * kStrengths;
    uint32_t candidates[kCandidates];
    for (uint32_t n = 1; n <= kStrengths; ++n) {
        candidates[n - 1] = n << 16;
        candidates[kStrengths + n - 1] = n << 8;
        candidates[2 * kStrengths + n - 1] = n;
        candidates[3 * kStrengths + n - 1] = (n << 16) | n;
    }
    bool used[kCandidates] = {};
    for (int32_t y = 1; y <= image.height - 2; ++y) {
        for (int32_t x = 1; x <= image.width - 2; ++x) {
            const uint32_t colour = ReadRgb(image, x, y);
            // Candidates are dark single- or two-channel colours; skip the rest fast.
            if ((colour & 0xE0E0E0) != 0 || colour == 0) continue;
            for (int k = 0; k < kCandidates; ++k) {
                if (candidates[k] == colour) {
                    used[k] = true;
                    break;
                }
            }
        }
    }
    for (int k = 0; k < kCandidates; ++k) {
        if (!used[k]) return candidates[k];
    }
    return 0;
}

uint32_t LiftDarkColour(uint32_t colour) {
    const int r = static_cast<int>(colour >> 16);
    const int g = static_cast<int>((colour >> 8) & 0xFF);
    const int b = static_cast<int>(colour & 0xFF);
    // Ties go to the later channel.
    int strongest;  // 0 red, 1 green, 2 blue
    if (r > g) {
        strongest = r > b ? 0 : 2;
    } else {
        strongest = g > b ? 1 : 2;
    }
    const int channels[3] = {r, g, b};
    const float factor = static_cast<float>(8.0 / channels[strongest]);
    int lifted[3];
    for (int c = 0; c < 3; ++c) {
        lifted[c] = c == strongest ? kLiftedChannel : static_cast<int>(channels[c] * factor);
    }
    return (static_cast<uint32_t>(lifted[0]) << 16) | (static_cast<uint32_t>(lifted[1]) << 8) |
           static_cast<uint32_t>(lifted[2]);
}

void PaintBorder(FrameImage& image, uint32_t marker) {
    if (image.pixels == nullptr) return;
    const int32_t lastX = image.width - 2;
    const int32_t lastY = image.height - 2;
    for (int32_t y = 1; y <= lastY; ++y) {
        for (int32_t x = 1; x <= lastX; ++x) {
            if (ReadRgb(image, x, y) == 0 && HasSolidNeighbour(image, x, y, marker)) {
                WriteColour(image, x, y, marker);
            }
        }
    }
    for (int32_t y = 1; y <= lastY; ++y) {
        for (int32_t x = 1; x <= lastX; ++x) {
            const uint32_t colour = ReadRgb(image, x, y);
            if (colour == 0 || colour == marker || (colour & 0xF8F8F8) != 0) continue;
            WriteColour(image, x, y, LiftDarkColour(colour));
        }
    }
    for (int32_t y = 1; y <= lastY; ++y) {
        for (int32_t x = 1; x <= lastX; ++x) {
            if (ReadRgb(image, x, y) == marker && IsOutlineCorner(image, x, y)) {
                WriteColour(image, x, y, 0);
            }
        }
    }
}

Rect FindFrameBounds(const FrameRules& rules) {
    const FrameImage& image = rules.alpha.pixels != nullptr ? rules.alpha : rules.main;
    const int32_t w = image.pixels != nullptr ? image.width : 0;
    const int32_t h = image.pixels != nullptr ? image.height : 0;
    auto visible = [&](int32_t x, int32_t y) {
        const uint32_t colour = ReadRgb(image, x, y);
        return colour != 0 || (rules.border && colour == rules.marker);
    };
    auto rowHasVisible = [&](int32_t y) {
        for (int32_t x = 0; x < w; ++x) {
            if (visible(x, y)) return true;
        }
        return false;
    };
    auto columnHasVisible = [&](int32_t x) {
        for (int32_t y = 0; y < h; ++y) {
            if (visible(x, y)) return true;
        }
        return false;
    };
    Rect bounds{0, 0, -1, -1};
    int32_t top = 0;
    while (top < h && !rowHasVisible(top)) ++top;
    if (top == h) return bounds;
    int32_t bottom = h - 1;
    while (!rowHasVisible(bottom)) --bottom;
    int32_t left = 0;
    while (!columnHasVisible(left)) ++left;
    int32_t right = w - 1;
    while (!columnHasVisible(right)) --right;
    bounds = Rect{left, top, right, bottom};
    return bounds;
}

bool IsEdgePixel(const FrameImage& main, int32_t x, int32_t y) {
    if (x >= 1 && y >= 1 && x + 1 < main.width && y + 1 < main.height && main.pixels != nullptr) {
        const auto stride = static_cast<ptrdiff_t>(main.width) * 3;
        const uint8_t* centre = PixelAt(main, x, y);
        for (int k = 0; k < 8; ++k) {
            if (IsBlackAt(centre + kNeighbourDy[k] * stride + kNeighbourDx[k] * 3)) return true;
        }
        return false;
    }
    for (int k = 0; k < 8; ++k) {
        if (ReadRgb(main, x + kNeighbourDx[k], y + kNeighbourDy[k]) == 0) return true;
    }
    return false;
}

int EdgeBrightness(uint32_t colour) {
    const int r = static_cast<int>(colour >> 16);
    const int g = static_cast<int>((colour >> 8) & 0xFF);
    const int b = static_cast<int>(colour & 0xFF);
    return (r / 8 + g / 8 + b / 8) / 3;
}

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
