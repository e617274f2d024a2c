// The scene draw-ship shows: a ship turning through its rotations in the
// middle of a playfield viewport, drawn opaque with its feathered edges, and
// beside it the same ship translucent and additive; a fourth copy crosses the
// playfield's edge to show the clipping.
#ifndef DRAW_SHIP_SHIP_SCENE_H
#define DRAW_SHIP_SHIP_SCENE_H

#include <Vantrel/Pixel.h>
#include <Vantrel/Rls.h>

// Draws frame number `frame` of the scene on `surface`, a buffer of
// ScreenWidth() x ScreenHeight() pixels in the active pixel layout. The ray's
// sprites must be bound to ScreenWidth().
void DrawShipScene(Pixel16* surface, const RlsRay& ship, int frame);

#endif
