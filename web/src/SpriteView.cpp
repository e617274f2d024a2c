#include "SpriteView.h"

#include <Vantrel/ScreenGeometry.h>

#include "SheetPaint.h"

namespace {

void PaintPicture(Pixel16* surface, const Rect& area, const BackdropPicture* picture) {
    const bool empty = picture == nullptr || picture->width < 1 || picture->height < 1;
    for (int32_t y = area.top; y <= area.bottom; ++y)
        for (int32_t x = area.left; x <= area.right; ++x)
            surface[static_cast<size_t>(y) * ScreenWidth() + x] =
                empty ? 0
                      : picture->pixels[static_cast<size_t>(y % picture->height) * picture->width +
                                        x % picture->width];
}

}  // namespace

RgbPicture DrawSpriteView(Pixel16* surface, const RLSprite* sprite, const AnimationLayout& layout,
                          const ViewStyle& style) {
    const Rect canvas{0, 0, layout.width - 1, layout.height - 1};
    switch (style.backdrop) {
        case ViewBackdrop::kLightCheckers:
            PaintBackdrop(surface, canvas, Backdrop::kCheckers, 0);
            break;
        case ViewBackdrop::kDarkCheckers:
            PaintBackdrop(surface, canvas, Backdrop::kDarkCheckers, 0);
            break;
        case ViewBackdrop::kColour:
            PaintBackdrop(surface, canvas, Backdrop::kPlain, style.colour);
            break;
        case ViewBackdrop::kPicture:
            PaintPicture(surface, canvas, style.picture);
            break;
    }
    SheetStyle overlays;
    overlays.hotSpot = style.hotSpot;
    overlays.bounds = style.bounds;
    return DrawFrameOverBackdrop(surface, sprite, layout, style.mode, overlays);
}
