#include "ShipScene.h"

#include <Vantrel/RLSpriteDraw.h>
#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Surface16.h>
#include <Vantrel/Viewport.h>

namespace {

// Colours are given as RGB and turned into the active layout once per call:
// RgbTo565 makes the file layout, ConvertFrom565 the one in memory.
Pixel16 Colour(int r, int g, int b) {
    return ConvertFrom565(RgbTo565(r, g, b));
}

}  // namespace

void DrawShipScene(Pixel16* surface, const RlsRay& ship, int frame) {
    const int32_t width = ScreenWidth();
    const int32_t height = ScreenHeight();
    FillRect16(surface, 0, 0, width - 1, height - 1, Colour(40, 40, 48));

    // The playfield: drawing through this viewport touches only its area.
    // The viewport made last is the current one; leaving this scope destroys
    // it and the main viewport (the first one made) is current again.
    const Rect field = {16, 16, width - 17, height - 17};
    FillRect16(surface, field, Colour(16, 24, 64));
    Viewport playfield(field, surface);

    // The ship turns one rotation step every fourth frame; rays of ships hold
    // 16 rotations.
    const RLSprite* sprite = ship.Get((frame / 4) % ship.count);
    const int32_t cx = width / 2;
    const int32_t cy = height / 2;

    // Opaque runs, edge pixels blended into what is already drawn.
    DrawRLSprite(surface, cx, cy, sprite, false);
    // Only the runs: a quarter of the sprite over the background, then added.
    DrawRLSpriteBlend(surface, cx - 96, cy, sprite, false);
    DrawRLSpriteBlend(surface, cx + 96, cy, sprite, true);
    // One copy sliding to and fro across the playfield's left edge: clipped,
    // never drawn outside the viewport.
    DrawRLSprite(surface, field.left - 24 + (frame * 2) % 48, cy + 72, sprite, false);
}
