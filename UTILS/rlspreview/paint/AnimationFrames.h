// The frames of a ray's animation: every sprite drawn (plain, with the
// overlays the style asks for) on a canvas of its own, the hot spots of all
// frames at one place, so a ship turns about its pivot.
#ifndef RLSPREVIEW_ANIMATION_FRAMES_H
#define RLSPREVIEW_ANIMATION_FRAMES_H

#include <vector>

#include <Vantrel/RLSprite.h>

#include "ContactSheet.h"
#include "RgbPicture.h"

struct AnimationLayout {
    int32_t width = 0, height = 0;  // the canvas
    int32_t hotX = 0, hotY = 0;     // where every hot spot lands
};

// The smallest canvas that holds every sprite's bounds plus a margin; a
// width or height of 0 when there is no sprite.
AnimationLayout LayoutAnimation(const std::vector<const RLSprite*>& sprites);

// Draws sprite (when not null) in mode on the canvas at the surface's
// top-left corner, over whatever backdrop is painted there, adds the overlays
// the style asks for and takes the canvas as a frame.
RgbPicture DrawFrameOverBackdrop(Pixel16* surface, const RLSprite* sprite,
                                 const AnimationLayout& layout, DrawMode mode,
                                 const SheetStyle& style);

// Draws each sprite on the surface's top-left corner and takes it as a
// frame; sprites bound to the screen width, the canvas no larger than the
// surface.
std::vector<RgbPicture> DrawAnimationFrames(Pixel16* surface,
                                            const std::vector<const RLSprite*>& sprites,
                                            const AnimationLayout& layout, const SheetStyle& style);

#endif
