#include "frames/FrameAnalysis.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "frames/FramePixels.h"

using namespace frame_pixels;

namespace {

void WriteColour(FrameImage& image, int32_t x, int32_t y, uint32_t colour) {
    auto* p = const_cast<uint8_t*>(PixelAt(image, x, y));
    p[0] = static_cast<uint8_t>(colour >> 16);
    p[1] = static_cast<uint8_t>(colour >> 8);
    p[2] = static_cast<uint8_t>(colour);
}

// The first byte that is not 0, or size; eight bytes a step over zeros.
size_t FirstNonZeroByte(const uint8_t* bytes, size_t size) {
    size_t i = 0;
    for (uint64_t eight = 0; i + 8 <= size; i += 8) {
        std::memcpy(&eight, bytes + i, 8);
        if (eight != 0) break;
    }
    while (i < size && bytes[i] == 0) ++i;
    return i;
}

// The last byte that is not 0; there is one.
size_t LastNonZeroByte(const uint8_t* bytes, size_t size) {
    size_t end = size;
    for (uint64_t eight = 0; end >= 8; end -= 8) {
        std::memcpy(&eight, bytes + end - 8, 8);
        if (eight != 0) break;
    }
    while (bytes[end - 1] == 0) --end;
    return end - 1;
}

// The eight neighbours in pattern order: above left, then clockwise.
constexpr int kNeighbourDx[8] = {-1, 0, 1, 1, 1, 0, -1, -1};
constexpr int kNeighbourDy[8] = {-1, -1, -1, 0, 1, 1, 1, 0};

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
    Rect bounds{0, 0, -1, -1};
    if (w <= 0 || h <= 0) return bounds;
    // A black marker makes every pixel visible; any other marker is not black.
    if (rules.border && rules.marker == 0) return Rect{0, 0, w - 1, h - 1};
    // Visible means not black: any of the pixel's bytes is not 0. The first
    // and last visible column over all rows are the column searches' answers.
    const auto rowBytes = static_cast<size_t>(w) * 3;
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t* row = PixelAt(image, 0, y);
        const size_t first = FirstNonZeroByte(row, rowBytes);
        if (first == rowBytes) continue;
        const size_t last = LastNonZeroByte(row, rowBytes);
        const auto firstX = static_cast<int32_t>(first / 3);
        const auto lastX = static_cast<int32_t>(last / 3);
        if (bounds.right < bounds.left) {
            bounds = Rect{firstX, y, lastX, y};
        } else {
            bounds.left = std::min(bounds.left, firstX);
            bounds.right = std::max(bounds.right, lastX);
            bounds.bottom = y;
        }
    }
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
