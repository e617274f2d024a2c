#include "FrameScene.h"

#include <cstddef>
#include <utility>

namespace {

// A small generator with a fixed sequence on every platform and library.
class SceneRandom {
public:
    explicit SceneRandom(uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    uint32_t Below(uint32_t n) {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return n == 0 ? 0 : state_ % n;
    }
    template <class T>
    void Shuffle(std::vector<T>& items) {
        for (size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[Below(static_cast<uint32_t>(i))]);
    }

private:
    uint32_t state_;
};

// Left (top) edge of a rect of the given extent lying inside 0..limit - 1, or
// centred on the surface when it is the larger.
int32_t InsideStart(SceneRandom& random, int32_t extent, int32_t limit) {
    if (extent >= limit) return (limit - extent) / 2;
    return static_cast<int32_t>(random.Below(static_cast<uint32_t>(limit - extent + 1)));
}

}  // namespace

std::vector<PlacedSprite> PlaceSprites(const std::vector<Rect>& poolBounds, int count,
                                       int32_t surfaceWidth, int32_t surfaceHeight, uint32_t seed) {
    SceneRandom random(seed);
    std::vector<Blend> blends(static_cast<size_t>(count), Blend::kPlain);
    const int translucent = count * 2 / 10, additive = count / 10;
    for (int i = 0; i < translucent + additive; ++i)
        blends[static_cast<size_t>(i)] = i < translucent ? Blend::kTranslucent : Blend::kAdditive;
    std::vector<uint8_t> crossing(static_cast<size_t>(count), 0);
    for (int i = 0; i < count * 3 / 10; ++i) crossing[static_cast<size_t>(i)] = 1;
    random.Shuffle(blends);
    random.Shuffle(crossing);

    std::vector<PlacedSprite> placed;
    for (int i = 0; i < count; ++i) {
        const int item = static_cast<int>(random.Below(static_cast<uint32_t>(poolBounds.size())));
        const Rect& b = poolBounds[static_cast<size_t>(item)];
        const int32_t w = b.right - b.left + 1, h = b.bottom - b.top + 1;
        int32_t left = InsideStart(random, w, surfaceWidth);
        int32_t top = InsideStart(random, h, surfaceHeight);
        if (crossing[static_cast<size_t>(i)]) {
            const int32_t side = static_cast<int32_t>(random.Below(4));
            const int32_t extent = side < 2 ? w : h;
            const int32_t visible =
                extent / 4 + 1 +
                static_cast<int32_t>(random.Below(static_cast<uint32_t>(extent / 2)));
            if (side == 0) left = visible - w;
            if (side == 1) left = surfaceWidth - visible;
            if (side == 2) top = visible - h;
            if (side == 3) top = surfaceHeight - visible;
        }
        placed.push_back({item, left - b.left, top - b.top, blends[static_cast<size_t>(i)],
                          crossing[static_cast<size_t>(i)] != 0});
    }
    return placed;
}
