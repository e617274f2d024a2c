#include "AnimationFrames.h"

#include <algorithm>

#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Viewport.h>

#include "SheetPaint.h"

namespace {

constexpr int32_t kMargin = 4;

}  // namespace

AnimationLayout LayoutAnimation(const std::vector<const RLSprite*>& sprites) {
    AnimationLayout layout;
    int64_t left = INT32_MAX, top = INT32_MAX, right = INT32_MIN, bottom = INT32_MIN;
    for (const RLSprite* s : sprites) {
        if (s == nullptr) continue;
        left = std::min<int64_t>(left, s->bounds.left);
        top = std::min<int64_t>(top, s->bounds.top);
        right = std::max<int64_t>(right, s->bounds.right);
        bottom = std::max<int64_t>(bottom, s->bounds.bottom);
    }
    if (left > right) return layout;
    // Sprites that passed the library's check keep within +-65536.
    layout.width = static_cast<int32_t>(right - left + 1 + 2 * kMargin);
    layout.height = static_cast<int32_t>(bottom - top + 1 + 2 * kMargin);
    layout.hotX = static_cast<int32_t>(kMargin - left);
    layout.hotY = static_cast<int32_t>(kMargin - top);
    return layout;
}

RgbPicture DrawFrameOverBackdrop(Pixel16* surface, const RLSprite* sprite,
                                 const AnimationLayout& layout, DrawMode mode,
                                 const SheetStyle& style) {
    const Rect canvas{0, 0, layout.width - 1, layout.height - 1};
    if (sprite != nullptr) {
        {
            Viewport view(canvas, surface);
            DrawSpriteInMode(surface, layout.hotX, layout.hotY, sprite, mode);
        }
        if (style.bounds) PaintBoundsBox(surface, layout.hotX, layout.hotY, *sprite, canvas);
        if (style.hotSpot) PaintHotSpotCross(surface, layout.hotX, layout.hotY, canvas);
    }
    return SurfaceToPicture(surface, ScreenWidth(), 0, 0, layout.width, layout.height);
}

std::vector<RgbPicture> DrawAnimationFrames(Pixel16* surface,
                                            const std::vector<const RLSprite*>& sprites,
                                            const AnimationLayout& layout,
                                            const SheetStyle& style) {
    std::vector<RgbPicture> frames;
    const Rect canvas{0, 0, layout.width - 1, layout.height - 1};
    for (const RLSprite* sprite : sprites) {
        PaintBackdrop(surface, canvas, style.checkered ? Backdrop::kCheckers : Backdrop::kPlain,
                      style.background);
        frames.push_back(DrawFrameOverBackdrop(surface, sprite, layout, DrawMode::kPlain, style));
    }
    return frames;
}
