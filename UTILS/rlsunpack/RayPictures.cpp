#include "RayPictures.h"

#include <algorithm>
#include <cstdlib>

#include "SpritePixels.h"

namespace {

constexpr int32_t kMargin = 2;
constexpr uint8_t kLevelGrey[5] = {0, 24, 40, 64, 224};

// One 5- or 6-bit channel value after the edge shading of a level:
// a quarter, a half, three quarters or seven eighths, each truncated the
// way the encoder's masks truncate.
int ShadeChannel(int value, int level) {
    switch (level) {
        case 1:
            return value >> 2;
        case 2:
            return value >> 1;
        case 3:
            return value - (value >> 2);
        default:
            return value - (value >> 3);
    }
}

int UnshadeChannel(int shaded, int level, int largest, bool& exact) {
    int best = 0;
    for (int value = 0; value <= largest; ++value) {
        const int got = ShadeChannel(value, level);
        if (got == shaded) return value;
        if (std::abs(got - shaded) < std::abs(ShadeChannel(best, level) - shaded)) best = value;
    }
    exact = false;
    return best;
}

void PutRgb565(Picture& picture, int32_t x, int32_t y, uint16_t pixel) {
    const int r = pixel >> 11, g = (pixel >> 5) & 63, b = pixel & 31;
    uint8_t* at = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
    at[0] = static_cast<uint8_t>((r << 3) | (r >> 2));
    at[1] = static_cast<uint8_t>((g << 2) | (g >> 4));
    at[2] = static_cast<uint8_t>((b << 3) | (b >> 2));
}

void PutGrey(Picture& picture, int32_t x, int32_t y, uint8_t grey) {
    uint8_t* at = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
    at[0] = at[1] = at[2] = grey;
}

Picture Blank(int32_t width, int32_t height) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.assign(static_cast<size_t>(width) * height * 3, 0);
    return picture;
}

bool NeedsAlpha(const RLSprite& sprite) {
    bool needs = sprite.edgeWordCount > 0;
    ForEachRunPixel(sprite, [&](int32_t, int32_t, uint16_t pixel) { needs |= pixel == 0; });
    return needs;
}

}  // namespace

uint16_t UnshadeEdgeColour(uint16_t shaded, int level, bool& exact) {
    exact = true;
    const int r = UnshadeChannel(shaded >> 11, level, 31, exact);
    const int g = UnshadeChannel((shaded >> 5) & 63, level, 63, exact);
    const int b = UnshadeChannel(shaded & 31, level, 31, exact);
    return static_cast<uint16_t>((r << 11) | (g << 5) | b);
}

RayPictures MakeRayPictures(const RlsRay& ray) {
    RayPictures out;
    // Half the canvas on each axis: the hot spot sits at (half - 1), and the
    // bounds reach left/up from it and right/down to it plus the margin.
    int64_t halfWidth = 1, halfHeight = 1;
    bool alpha = false;
    for (int32_t i = 0; i < ray.count; ++i) {
        const RLSprite* s = ray.Get(i);
        if (s == nullptr) continue;
        halfWidth = std::max(
            {halfWidth, int64_t{kMargin} + 1 - s->bounds.left, int64_t{s->bounds.right} + kMargin});
        halfHeight = std::max({halfHeight, int64_t{kMargin} + 1 - s->bounds.top,
                               int64_t{s->bounds.bottom} + kMargin});
        alpha |= NeedsAlpha(*s);
    }
    // The loader's check keeps bounds within +-65536, so this fits.
    const int32_t width = static_cast<int32_t>(2 * halfWidth);
    const int32_t height = static_cast<int32_t>(2 * halfHeight);
    const int32_t cx = static_cast<int32_t>(halfWidth) - 1;
    const int32_t cy = static_cast<int32_t>(halfHeight) - 1;

    for (int32_t i = 0; i < ray.count; ++i) {
        out.colour.push_back(Blank(width, height));
        if (alpha) out.alpha.push_back(Blank(width, height));
        const RLSprite* s = ray.Get(i);
        if (s == nullptr) continue;
        const int32_t hx = UnpackX(s->hotSpot), hy = UnpackY(s->hotSpot);
        const std::string name = "sprite " + std::to_string(i) + ": ";
        if (s->bounds.left != -hx || s->bounds.top != -hy)
            out.warnings.push_back(name + "its bounds do not begin at its own top-left corner");
        if (s->pointCount > 0)
            out.warnings.push_back(name + "its points cannot be drawn and are left out");
        Picture& colour = out.colour.back();
        Picture* grey = alpha ? &out.alpha.back() : nullptr;
        // Sprite coordinates to canvas: the hot spot goes to (cx, cy).
        const int32_t dx = cx - hx, dy = cy - hy;
        int32_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
        const auto seen = [&](int32_t x, int32_t y) {
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        };
        ForEachRunPixel(*s, [&](int32_t x, int32_t y, uint16_t pixel) {
            seen(x, y);
            PutRgb565(colour, x + dx, y + dy, pixel);
            if (grey) PutGrey(*grey, x + dx, y + dy, 255);
        });
        bool exact = true;
        ForEachEdge(*s, [&](int32_t x, int32_t y, int level, uint16_t shaded) {
            seen(x, y);
            bool fits = true;
            PutRgb565(colour, x + dx, y + dy, UnshadeEdgeColour(shaded, level, fits));
            exact &= fits;
            PutGrey(*grey, x + dx, y + dy, kLevelGrey[level]);
        });
        if (!exact)
            out.warnings.push_back(name + "an edge colour no shading of its level can give");
        const bool empty = left == INT32_MAX;
        if (empty)
            out.warnings.push_back(name + "it has no pixels, so no converter can make it again");
        else if (left - hx != s->bounds.left || top - hy != s->bounds.top ||
                 right - hx != s->bounds.right || bottom - hy != s->bounds.bottom)
            out.warnings.push_back(name + "its bounds are not the rectangle of its pixels");
    }
    return out;
}
