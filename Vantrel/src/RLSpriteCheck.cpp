#include <cstdint>

#include <Vantrel/RLSpriteCheck.h>

namespace {

bool FitsInt32(int64_t value) {
    return value >= INT32_MIN && value <= INT32_MAX;
}

bool BoundFits(int64_t x, int64_t y, int32_t pitch) {
    return pitch == 0 || FitsInt32(x + y * pitch);
}

bool BoundInRange(int32_t value) {
    return value >= -kRLSpriteBoundsLimit && value <= kRLSpriteBoundsLimit;
}

// Whether the pixels firstX..lastX of row y (sprite coordinates) lie in the
// sprite: not left of or above its origin, and inside the bounds as seen from
// the hot spot (hx, hy).
bool SpanInside(const RLSprite& sprite, int64_t hx, int64_t hy, int64_t firstX, int64_t lastX,
                int64_t y) {
    const Rect& b = sprite.bounds;
    return firstX >= 0 && y >= 0 && firstX - hx >= b.left && lastX - hx <= b.right &&
           y - hy >= b.top && y - hy <= b.bottom;
}

const char* FindRunFault(const RLSprite& sprite, int64_t hx, int64_t hy, int32_t pitch) {
    const int64_t words = sprite.runWordCount;
    int64_t i = 0;
    int64_t x = 0;
    int64_t y = 0;
    // End (exclusive) of the previous run on its row, for the order test.
    int64_t previousEnd = 0;
    int64_t previousY = -1;
    while (i < words) {
        if (i + 2 > words) return "Run past the end of the run data";
        const uint32_t delta = sprite.runData[i];
        const auto count = static_cast<int32_t>(sprite.runData[i + 1]);
        if (count < 1) return "Run of no pixels";
        const int64_t length = 2 + (static_cast<int64_t>(count) + 1) / 2;
        if (length > words - i) return "Run past the end of the run data";
        const int16_t dx = UnpackX(delta);
        const int16_t dy = UnpackY(delta);
        x += dx;
        y += dy;
        if (y < previousY || (y == previousY && x < previousEnd)) return "Runs out of order";
        const int64_t lastX = x + count - 1;
        if (!SpanInside(sprite, hx, hy, x, lastX, y)) return "Run outside the sprite";
        if (!BoundFits(dx, dy, pitch) || !BoundFits(x, y, pitch) || !BoundFits(lastX, y, pitch)) {
            return "Sprite too large for pitch";
        }
        previousY = y;
        previousEnd = lastX + 1;
        i += length;
    }
    return nullptr;
}

const char* FindEdgeFault(const RLSprite& sprite, int64_t hx, int64_t hy, int32_t pitch) {
    int64_t previousX = -1;
    int64_t previousY = -1;
    for (int32_t i = 0; i + 1 < sprite.edgeWordCount; i += 2) {
        const int64_t x = UnpackX(sprite.edgeData[i]);
        const int64_t y = UnpackY(sprite.edgeData[i]);
        const uint32_t level = sprite.edgeData[i + 1] & 0xFFFF;
        if (level < 1 || level > 4) return "Bad edge level";
        if (y < previousY || (y == previousY && x <= previousX)) return "Edge records out of order";
        if (!SpanInside(sprite, hx, hy, x, x, y)) return "Edge outside the sprite";
        if (!BoundFits(x, y, pitch)) return "Sprite too large for pitch";
        previousX = x;
        previousY = y;
    }
    return nullptr;
}

}  // namespace

const char* FindRLSpriteFault(const RLSprite& sprite, int32_t pitch) {
    if (sprite.runWordCount < 0 || sprite.edgeWordCount < 0 || sprite.pointCount < 0) {
        return "Negative count";
    }
    if ((sprite.edgeWordCount & 1) != 0) return "Odd edge word count";
    if ((sprite.runWordCount != 0 && sprite.runData == nullptr) ||
        (sprite.edgeWordCount != 0 && sprite.edgeData == nullptr) ||
        (sprite.pointCount != 0 &&
         (sprite.pointValues == nullptr || sprite.pointPositions == nullptr))) {
        return "Missing data";
    }
    const Rect& b = sprite.bounds;
    if (!BoundInRange(b.left) || !BoundInRange(b.top) || !BoundInRange(b.right) ||
        !BoundInRange(b.bottom)) {
        return "Bounds out of range";
    }
    const int64_t hx = UnpackX(sprite.hotSpot);
    const int64_t hy = UnpackY(sprite.hotSpot);
    if (!BoundFits(hx, hy, pitch)) return "Sprite too large for pitch";
    if (const char* fault = FindRunFault(sprite, hx, hy, pitch)) return fault;
    return FindEdgeFault(sprite, hx, hy, pitch);
}
