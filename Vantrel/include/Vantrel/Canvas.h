// Drawing onto a canvas of any size and pitch (the safe face, namespace
// vantrel).
//
// A Canvas is the game's own pixels: width x height visible pixels in the
// active pixel layout (Pixel.h), rows pitch pixels apart, so an offscreen
// buffer, a padded SDL surface or a window of any size will do. Draw places a
// sprite's hot spot at (x, y) on it, clips to the canvas and writes nothing
// outside its width x height pixels: not in the padding at the end of each
// row, not before or after the rows.
//
// What is checked and what is trusted:
// - A canvas with null pixels, a width or height below 1 or a pitch below its
//   width draws nothing. That the pixels hold height rows of pitch pixels is
//   the caller's.
// - A sprite is drawn only when it is bound (BindRLSprite, or a loader given
//   a pitch) to the canvas's pitch: bind to canvas.pitch. A null sprite, an
//   unbound one or one bound to another pitch draws nothing.
// - A sprite the loaders accepted never writes outside the canvas. A sprite
//   laid out by hand is trusted, where it lies wholly inside the canvas, to
//   keep its pixels inside its bounds; a sprite that crosses the canvas's
//   edges is clipped run by run whatever it holds.
//
// The pixels are exactly those the classic calls (RLSpriteDraw.h) draw on a
// surface of the same pitch through a viewport of the canvas's rectangle, in
// every mode; the holes come from the canvas's own generator, holesSeed, with
// the arithmetic of the library's random numbers (Random.h), so the game's
// RandomBelow sequence is untouched. Both faces use the same drawing paths.
//
// Threads: Draw reads no process-wide state but the pixel layout and the
// blend tables (built once, under a lock, by the first blended draw), and
// writes none, so several threads may draw at once, each on its own canvas.
// Select the pixel layout before they start. Nothing is reported.
#ifndef VANTREL_CANVAS_H
#define VANTREL_CANVAS_H

#include <algorithm>
#include <cstdint>
#include <optional>

#include "Pixel.h"
#include "RLSpriteData.h"
#include "Rect.h"

namespace vantrel {

struct Canvas {
    Pixel16* pixels;
    int32_t width, height;   // the visible pixels
    int32_t pitch;           // pixels from one row's start to the next, >= width
    uint32_t holesSeed = 1;  // the Holes mode's own generator state, advanced by each holes draw
};

// Opaque: the runs copied, the edge records blended into the background.
// Holes: the same, with up to 16 random background pixels kept in each run.
// Translucent: the runs only, a quarter of the sprite over three quarters of
// the background. Additive: the runs only, added with per-channel saturation.
enum class DrawMode { Opaque, Holes, Translucent, Additive };

// Clips to the canvas. Returns the drawn rectangle cut to the canvas, or nothing when no pixel
// was drawn, the sprite is null or unbound, or it is bound to a pitch other than canvas.pitch.
// "No pixel was drawn" means the sprite's rectangle misses the canvas (or is empty); a
// rectangle that meets it is returned even where its pixels there are all transparent.
std::optional<Rect> Draw(Canvas& canvas, int32_t x, int32_t y, const RLSprite* sprite,
                         DrawMode mode);

// A sprite's size, bound or not: the width and height of its bounds in pixels
// (0 for empty bounds), and where its hot spot lies in that rectangle,
// counted from the rectangle's top-left pixel. Drawn with its hot spot at
// (x, y), the sprite covers SpriteWidth x SpriteHeight pixels from
// (x - hot spot x, y - hot spot y).
struct SpritePoint {
    int32_t x = 0;
    int32_t y = 0;
};

inline int32_t SpriteWidth(const RLSprite& sprite) {
    const int64_t w = int64_t{sprite.bounds.right} - sprite.bounds.left + 1;
    return static_cast<int32_t>(std::clamp<int64_t>(w, 0, INT32_MAX));
}

inline int32_t SpriteHeight(const RLSprite& sprite) {
    const int64_t h = int64_t{sprite.bounds.bottom} - sprite.bounds.top + 1;
    return static_cast<int32_t>(std::clamp<int64_t>(h, 0, INT32_MAX));
}

inline SpritePoint SpriteHotSpot(const RLSprite& sprite) {
    auto away = [](int32_t side) {
        return static_cast<int32_t>(std::min<int64_t>(-int64_t{side}, INT32_MAX));
    };
    return SpritePoint{away(sprite.bounds.left), away(sprite.bounds.top)};
}

}  // namespace vantrel

#endif
