#include "SheetPaint.h"

#include <algorithm>
#include <cstdint>

#include <Vantrel/ScreenGeometry.h>

#include "BitmapFont.h"

namespace {

constexpr int32_t kChecker = 8;
constexpr Pixel16 kCheckerDark = 0x8410;   // grey 128
constexpr Pixel16 kCheckerLight = 0xC618;  // grey 192
constexpr Pixel16 kNightDark = 0x0841;     // grey 8
constexpr Pixel16 kNightLight = 0x2945;    // grey 40
constexpr Pixel16 kCrossColour = 0xF81F;   // magenta
constexpr Pixel16 kBoxColour = 0x07E0;     // green
constexpr int32_t kCrossArm = 3;

void Put(Pixel16* surface, int32_t x, int32_t y, Pixel16 active, const Rect& clip) {
    if (x < clip.left || x > clip.right || y < clip.top || y > clip.bottom) return;
    surface[static_cast<size_t>(y) * ScreenWidth() + x] = active;
}

}  // namespace

void PaintBackdrop(Pixel16* surface, const Rect& area, Backdrop backdrop, Pixel16 plain) {
    const Pixel16 light =
        ConvertFrom565(backdrop == Backdrop::kDarkCheckers ? kNightLight : kCheckerLight);
    const Pixel16 dark =
        ConvertFrom565(backdrop == Backdrop::kDarkCheckers ? kNightDark : kCheckerDark);
    for (int32_t y = area.top; y <= area.bottom; ++y)
        for (int32_t x = area.left; x <= area.right; ++x) {
            const bool even = ((x - area.left) / kChecker + (y - area.top) / kChecker) % 2 == 0;
            surface[static_cast<size_t>(y) * ScreenWidth() + x] = backdrop == Backdrop::kPlain
                                                                      ? plain
                                                                  : even ? light
                                                                         : dark;
        }
}

void PaintText(Pixel16* surface, int32_t x, int32_t y, const std::string& text, Pixel16 rgb565,
               const Rect& clip) {
    const Pixel16 ink = ConvertFrom565(rgb565);
    for (size_t i = 0; i < text.size(); ++i) {
        const int32_t left = x + static_cast<int32_t>(i) * kGlyphAdvance;
        if (left > clip.right) break;
        for (int gy = 0; gy < kGlyphHeight; ++gy)
            for (int gx = 0; gx < kGlyphWidth; ++gx)
                if (GlyphInk(text[i], gx, gy)) Put(surface, left + gx, y + gy, ink, clip);
    }
}

void PaintHotSpotCross(Pixel16* surface, int32_t x, int32_t y, const Rect& clip) {
    const Pixel16 ink = ConvertFrom565(kCrossColour);
    for (int32_t d = -kCrossArm; d <= kCrossArm; ++d) {
        Put(surface, x + d, y, ink, clip);
        Put(surface, x, y + d, ink, clip);
    }
}

void PaintBoundsBox(Pixel16* surface, int32_t x, int32_t y, const RLSprite& sprite,
                    const Rect& clip) {
    const Pixel16 ink = ConvertFrom565(kBoxColour);
    const int64_t left = int64_t{x} + sprite.bounds.left - 1;
    const int64_t right = int64_t{x} + sprite.bounds.right + 1;
    const int64_t top = int64_t{y} + sprite.bounds.top - 1;
    const int64_t bottom = int64_t{y} + sprite.bounds.bottom + 1;
    // Only the part inside the clip can show; walk no further than that.
    for (int64_t px = std::max<int64_t>(left, clip.left);
         px <= std::min<int64_t>(right, clip.right); ++px) {
        Put(surface, static_cast<int32_t>(px),
            static_cast<int32_t>(std::max<int64_t>(top, INT32_MIN)), ink, clip);
        Put(surface, static_cast<int32_t>(px),
            static_cast<int32_t>(std::min<int64_t>(bottom, INT32_MAX)), ink, clip);
    }
    for (int64_t py = std::max<int64_t>(top, clip.top);
         py <= std::min<int64_t>(bottom, clip.bottom); ++py) {
        Put(surface, static_cast<int32_t>(std::max<int64_t>(left, INT32_MIN)),
            static_cast<int32_t>(py), ink, clip);
        Put(surface, static_cast<int32_t>(std::min<int64_t>(right, INT32_MAX)),
            static_cast<int32_t>(py), ink, clip);
    }
}
