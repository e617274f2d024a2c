// One sprite of a ray as the page's sprite view shows it: drawn by the
// library in one of its four modes over a backdrop, with the hot-spot cross
// and the bounds box where asked, on the canvas of the ray's animation
// (AnimationFrames.h), so that every sprite of a ray lands with its hot spot
// at one place. Drawn plain over the light checkers or a colour, a view is
// the frame rlspreview --animate makes of the sprite.
#ifndef WEB_SPRITE_VIEW_H
#define WEB_SPRITE_VIEW_H

#include <cstdint>
#include <vector>

#include <Vantrel/Pixel.h>
#include <Vantrel/RLSprite.h>

#include "AnimationFrames.h"
#include "ContactSheet.h"
#include "RgbPicture.h"

enum class ViewBackdrop { kLightCheckers, kDarkCheckers, kColour, kPicture };

// A picture the user gave, repeated across the canvas from its top-left
// corner; pixels in the active layout.
struct BackdropPicture {
    int32_t width = 0, height = 0;
    std::vector<Pixel16> pixels;
};

struct ViewStyle {
    DrawMode mode = DrawMode::kPlain;
    ViewBackdrop backdrop = ViewBackdrop::kLightCheckers;
    Pixel16 colour = 0;                        // kColour, active layout
    const BackdropPicture* picture = nullptr;  // kPicture; none paints black
    bool hotSpot = false;
    bool bounds = false;
};

// Draws on the surface's top-left corner (ScreenWidth() pixels a row) and
// takes the canvas; sprite bound to the screen width, the layout no larger
// than the surface. A null sprite shows the backdrop alone.
RgbPicture DrawSpriteView(Pixel16* surface, const RLSprite* sprite, const AnimationLayout& layout,
                          const ViewStyle& style);

#endif
