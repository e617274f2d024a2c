#include <Vantrel/Canvas.h>

#include "SpriteDrawPlan.h"

using namespace sprite_draw;

namespace vantrel {

std::optional<Rect> Draw(Canvas& canvas, int32_t x, int32_t y, const RLSprite* sprite,
                         DrawMode mode) {
    if (canvas.pixels == nullptr || canvas.width < 1 || canvas.height < 1 ||
        canvas.pitch < canvas.width || sprite == nullptr || sprite->boundPitch != canvas.pitch) {
        return std::nullopt;
    }
    const DrawTarget target{canvas.pixels, canvas.pitch,
                            Rect{0, 0, canvas.width - 1, canvas.height - 1}};
    Placement p;
    if (!PlaceSprite(target, x, y, *sprite, p)) return std::nullopt;
    DrawPlaced(p, *sprite, mode, canvas.holesSeed);
    return p.visible;
}

}  // namespace vantrel
