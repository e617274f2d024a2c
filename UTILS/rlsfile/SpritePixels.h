// Walks the pixels of an unbound sprite that passed the library's check
// (every sprite the loaders return): its run pixels and its edge records, in
// sprite coordinates. The run layout is the one RLSprite.h describes: a
// delta to the run's first pixel, a pixel count, then the pixels two to a
// word, padded to a whole word.
#ifndef RLSFILE_SPRITE_PIXELS_H
#define RLSFILE_SPRITE_PIXELS_H

#include <cstdint>

#include <Vantrel/RLSprite.h>

// visit(x, y, pixel) for every run pixel, in scan order.
template <typename Visit>
void ForEachRunPixel(const RLSprite& sprite, Visit visit) {
    int32_t x = 0, y = 0;
    int32_t word = 0;
    while (word + 2 <= sprite.runWordCount) {
        x += UnpackX(sprite.runData[word]);
        y += UnpackY(sprite.runData[word]);
        const int32_t count = static_cast<int32_t>(sprite.runData[word + 1]);
        const uint32_t* pixels = sprite.runData + word + 2;
        for (int32_t i = 0; i < count; ++i) {
            const uint32_t pair = pixels[i / 2];
            visit(x + i, y, static_cast<uint16_t>(i % 2 == 0 ? pair & 0xFFFF : pair >> 16));
        }
        word += 2 + (count + 1) / 2;
    }
}

// visit(x, y, level, colour) for every edge record, in file order.
template <typename Visit>
void ForEachEdge(const RLSprite& sprite, Visit visit) {
    for (int32_t word = 0; word + 1 < sprite.edgeWordCount; word += 2) {
        const uint32_t where = sprite.edgeData[word];
        const uint32_t what = sprite.edgeData[word + 1];
        visit(int32_t{UnpackX(where)}, int32_t{UnpackY(where)}, static_cast<int>(what & 0xFFFF),
              static_cast<uint16_t>(what >> 16));
    }
}

struct SpriteCounts {
    int32_t runs = 0;
    int64_t runPixels = 0;
    int32_t edgeRecords = 0;
};

inline SpriteCounts CountSprite(const RLSprite& sprite) {
    SpriteCounts counts;
    int32_t word = 0;
    while (word + 2 <= sprite.runWordCount) {
        const int32_t count = static_cast<int32_t>(sprite.runData[word + 1]);
        ++counts.runs;
        counts.runPixels += count;
        word += 2 + (count + 1) / 2;
    }
    counts.edgeRecords = sprite.edgeWordCount / 2;
    return counts;
}

#endif
