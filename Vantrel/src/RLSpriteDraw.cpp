#include <Vantrel/RLSpriteDraw.h>

#include <Vantrel/Random.h>
#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Viewport.h>
#include "SpriteDrawPlan.h"

using namespace sprite_draw;
using vantrel::DrawMode;

namespace {

// The classic target: the surface, ScreenWidth() pixels a row, clipped to the
// current viewport's area cut to the surface. False with no current viewport
// or no surface on it, or a null surface.
bool ClassicTarget(Pixel16* surface, DrawTarget& target) {
    if (CurrentViewport == nullptr || CurrentViewport->firstRow == nullptr) return false;
    if (surface == nullptr) return false;
    target.pixels = surface;
    target.pitch = ScreenWidth();
    target.clip = ClipToScreen(CurrentViewport->area);
    return true;
}

// Draws through the classic target into drawn; the holes take the library's
// random generator.
Rect* DrawClassic(Rect& drawn, Pixel16* surface, int32_t x, int32_t y, const RLSprite* sprite,
                  DrawMode mode) {
    DrawTarget target;
    if (sprite == nullptr || !ClassicTarget(surface, target)) return nullptr;
    Placement p;
    const bool placed = PlaceSprite(target, x, y, *sprite, p);
    drawn = p.rect;
    if (!placed) return nullptr;
    if (mode == DrawMode::Holes) {
        uint32_t seed = RandomSeed();
        DrawPlaced(p, *sprite, mode, seed);
        SetRandomSeed(seed);
    } else {
        uint32_t unused = 0;
        DrawPlaced(p, *sprite, mode, unused);
    }
    return &drawn;
}

}  // namespace

bool SpriteScreenRect(int32_t x, int32_t y, const RLSprite* sprite, Rect& rect) {
    if (sprite == nullptr) return false;
    rect = ScreenRect(x, y, *sprite);
    if (CurrentViewport == nullptr) return false;
    const Rect clip = ClipToScreen(CurrentViewport->area);
    if (clip.right < clip.left || clip.bottom < clip.top) return false;
    const Rect& b = sprite->bounds;
    if (b.right < b.left || b.bottom < b.top) return false;
    return !(rect.right < clip.left || clip.right < rect.left || rect.bottom < clip.top ||
             clip.bottom < rect.top);
}

Rect* DrawRLSprite(Pixel16* surface, int32_t x, int32_t y, const RLSprite* sprite, bool holes) {
    static Rect drawn;
    return DrawClassic(drawn, surface, x, y, sprite, holes ? DrawMode::Holes : DrawMode::Opaque);
}

Rect* DrawRLSpriteBlend(Pixel16* surface, int32_t x, int32_t y, const RLSprite* sprite,
                        bool additive) {
    static Rect drawn;
    return DrawClassic(drawn, surface, x, y, sprite,
                       additive ? DrawMode::Additive : DrawMode::Translucent);
}
