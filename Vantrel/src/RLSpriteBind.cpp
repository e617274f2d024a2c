#include <Vantrel/RLSprite.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <Vantrel/DebugAlloc.h>
#include <Vantrel/Fatal.h>
#include <Vantrel/ScreenGeometry.h>
#include "SpriteIndex.h"

void ResetSpritePitch() {
    spritePitch = ProgramScreenWidth;
}

namespace {

// x + y * pitch with 32-bit wrap-around; a checked sprite never wraps.
uint32_t BoundOffset(uint32_t packed, int32_t pitch) {
    const int64_t offset = UnpackX(packed) + static_cast<int64_t>(UnpackY(packed)) * pitch;
    return static_cast<uint32_t>(offset);
}

Pixel16 ConvertHalf(uint32_t word, int shift) {
    return ConvertFrom565(static_cast<Pixel16>(word >> shift));
}

}  // namespace

void BindRLSprite(RLSprite* sprite, int32_t pitch) {
    if (pitch < 1) ReportFatalOrAbort("BindRLSprite: Bad pitch");
    if (sprite != nullptr && sprite->boundPitch != 0) {
        ReportFatalOrAbort("BindRLSprite: Sprite already bound");
    }
    spritePitch = pitch;
    if (sprite == nullptr) return;
    sprite->boundPitch = pitch;
    // The walks stop at the end of each buffer even for a sprite that was
    // never checked.
    const int64_t runWords = sprite->runData != nullptr ? sprite->runWordCount : 0;
    int64_t i = 0;
    while (i + 2 <= runWords) {
        uint32_t* run = sprite->runData + i;
        run[0] = BoundOffset(run[0], pitch);
        const auto count = static_cast<int32_t>(run[1]);
        if (count < 1) break;
        const int64_t pixelWords = (static_cast<int64_t>(count) + 1) / 2;
        const int64_t available = runWords - i - 2;
        const int64_t words = pixelWords < available ? pixelWords : available;
        for (int64_t k = 0; k < words; ++k) {
            uint32_t& word = run[2 + k];
            const bool lastHalfIsPad = k == pixelWords - 1 && (count & 1) != 0;
            const uint32_t low = ConvertHalf(word, 0);
            const uint32_t high = lastHalfIsPad ? word >> 16 : ConvertHalf(word, 16);
            word = low | (high << 16);
        }
        i += 2 + pixelWords;
    }
    const int64_t edgeWords = sprite->edgeData != nullptr ? sprite->edgeWordCount : 0;
    for (int64_t e = 0; e + 2 <= edgeWords; e += 2) {
        uint32_t* edge = sprite->edgeData + e;
        edge[0] = BoundOffset(edge[0], pitch);
        edge[1] = (edge[1] & 0xFFFF) | (static_cast<uint32_t>(ConvertHalf(edge[1], 16)) << 16);
    }
    sprite->hotSpot = BoundOffset(sprite->hotSpot, pitch);
    if (sprite->pointPositions != nullptr) {
        for (int32_t p = 0; p < sprite->pointCount; ++p) {
            sprite->pointPositions[p] = BoundOffset(sprite->pointPositions[p], pitch);
        }
    }
    IndexRLSprite(*sprite);
}

void IndexRLSprite(RLSprite& sprite) {
    sprite.index = sprite_index::BuildIndex(sprite, sprite.boundPitch);
}

void FreeRLSprite(RLSprite* sprite) {
    if (sprite == nullptr) return;
    // A buffer whose count is 0 is absent in a loaded sprite; an encoded one
    // may hold a buffer of no words, which must be released all the same.
    DebugFree(sprite->runData);
    DebugFree(sprite->edgeData);
    DebugFree(sprite->pointValues);
    DebugFree(sprite->pointPositions);
    delete sprite;
}

void ReleaseRLSpriteData(RLSprite& sprite) {
    DebugFree(sprite.runData);
    DebugFree(sprite.edgeData);
    sprite.runData = nullptr;
    sprite.edgeData = nullptr;
    sprite.runWordCount = 0;
    sprite.edgeWordCount = 0;
    sprite.boundPitch = 0;
    sprite.index.reset();
}

int64_t RLSpriteSize(const RLSprite* sprite) {
    if (sprite == nullptr) return 0;
    return kRLSpriteHeaderSize + 4 * static_cast<int64_t>(sprite->runWordCount) +
           4 * static_cast<int64_t>(sprite->edgeWordCount) +
           6 * static_cast<int64_t>(sprite->pointCount);
}
