#include "SpriteIndex.h"

#include <new>

namespace sprite_index {

namespace {

constexpr int64_t kLargestIndexedCount = 0xFFFF;
// Cells hold a row and a column in 16 bits each.
constexpr int64_t kLargestIndexedSide = 0xFFFF;

struct RunPlace {
    int32_t word;
    int64_t before;  // rectangle-relative offset before the run's delta
    int64_t row;
};

// Record i's rectangle-relative offset.
int64_t EdgeOffset(const RLSprite& sprite, int64_t i, int64_t rectOffset) {
    return int64_t{static_cast<int32_t>(sprite.edgeData[2 * i])} - rectOffset;
}

int64_t RecordCount(const RLSprite& sprite) {
    return sprite.edgeData != nullptr && sprite.edgeWordCount > 0 ? sprite.edgeWordCount / 2 : 0;
}

// Whether the edge records lie inside the rectangle in scan order; offsets
// are rectangle-relative, as the runs' are.
bool EdgesInScanOrder(const RLSprite& sprite, int64_t rectOffset, int64_t pitch, int64_t width,
                      int64_t height) {
    int64_t previous = -1;
    for (int64_t i = 0; i < RecordCount(sprite); ++i) {
        const int64_t at = EdgeOffset(sprite, i, rectOffset);
        if (at <= previous || at / pitch >= height || at % pitch >= width) return false;
        previous = at;
    }
    return true;
}

// The runs' places and counts, or false where a run leaves the rectangle or
// scan order, or its offsets from the rectangle's corner do not fit 32 bits.
bool FindRuns(const RLSprite& sprite, int64_t rectOffset, int64_t pitch, int64_t width,
              int64_t height, std::vector<RunPlace>& places, std::vector<uint16_t>& counts) {
    const uint32_t* data = sprite.runData;
    const int64_t words = sprite.runWordCount;
    int64_t word = 0;
    int64_t offset = -rectOffset;
    int64_t previousEnd = INT64_MIN;  // rectangle-relative, exclusive
    while (word < words) {
        if (words - word < 2) return false;
        const int64_t count = static_cast<int32_t>(data[word + 1]);
        if (count < 1 || count > kLargestIndexedCount) return false;
        const int64_t length = 2 + (count + 1) / 2;
        if (length > words - word) return false;
        const int64_t before = offset;
        offset += static_cast<int32_t>(data[word]);
        if (offset < 0) return false;
        const int64_t row = offset / pitch, column = offset % pitch;
        if (row >= height || column + count > width || offset < previousEnd || before < INT32_MIN ||
            before > INT32_MAX || offset > INT32_MAX) {
            return false;
        }
        previousEnd = offset + count;
        places.push_back({static_cast<int32_t>(word), before, row});
        counts.push_back(static_cast<uint16_t>(count));
        word += length;
    }
    return true;
}

}  // namespace

std::shared_ptr<const RLSpriteIndex> BuildIndex(const RLSprite& sprite, int32_t pitch) {
    if (pitch < 1 || sprite.runData == nullptr || sprite.runWordCount <= 0) return nullptr;
    const Rect& b = sprite.bounds;
    const int64_t width = int64_t{b.right} - b.left + 1;
    const int64_t height = int64_t{b.bottom} - b.top + 1;
    if (width < 1 || height < 1 || width > pitch || width > kLargestIndexedSide ||
        height > kLargestIndexedSide) {
        return nullptr;
    }
    const int64_t records = RecordCount(sprite);
    // The index may take as many bytes as the words it describes; the counts
    // come on top of this once the runs are known.
    const int64_t budget = 4 * (int64_t{sprite.runWordCount} + 2 * records);
    const int64_t fixed = static_cast<int64_t>(sizeof(RLSpriteIndex)) +
                          height * static_cast<int64_t>(sizeof(RLSpriteIndex::RowEntry)) +
                          records * static_cast<int64_t>(sizeof(uint32_t));
    if (fixed > budget) return nullptr;

    // The rectangle's top-left seen from the origin, as the draw computes it.
    const int64_t rectOffset =
        int64_t{static_cast<int32_t>(sprite.hotSpot)} + int64_t{b.top} * pitch + b.left;
    if (!EdgesInScanOrder(sprite, rectOffset, pitch, width, height)) return nullptr;

    auto index = std::make_shared<RLSpriteIndex>();
    index->runData = sprite.runData;
    index->runWordCount = sprite.runWordCount;
    index->edgeData = sprite.edgeData;
    index->edgeWordCount = sprite.edgeWordCount;
    index->hotSpot = sprite.hotSpot;
    index->bounds = b;
    index->pitch = pitch;
    try {
        std::vector<RunPlace> places;
        if (!FindRuns(sprite, rectOffset, pitch, width, height, places, index->counts))
            return nullptr;
        const auto runs = static_cast<int64_t>(places.size());
        if (fixed + runs * static_cast<int64_t>(sizeof(uint16_t)) > budget) return nullptr;
        index->rows.reserve(static_cast<size_t>(height));
        size_t run = 0;
        int64_t edge = 0;
        for (int64_t row = 0; row < height; ++row) {
            while (run < places.size() && places[run].row < row) ++run;
            while (edge < records && EdgeOffset(sprite, edge, rectOffset) < row * pitch) ++edge;
            if (run < places.size()) {
                index->rows.push_back({static_cast<int32_t>(run), places[run].word,
                                       static_cast<int32_t>(places[run].before),
                                       static_cast<int32_t>(edge)});
            } else {
                index->rows.push_back({static_cast<int32_t>(runs), sprite.runWordCount, 0,
                                       static_cast<int32_t>(edge)});
            }
        }
        index->edgeCells.reserve(static_cast<size_t>(records));
        for (int64_t i = 0; i < records; ++i) {
            const int64_t at = EdgeOffset(sprite, i, rectOffset);
            index->edgeCells.push_back(static_cast<uint32_t>(at / pitch) << 16 |
                                       static_cast<uint32_t>(at % pitch));
        }
        index->counts.shrink_to_fit();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return index;
}

}  // namespace sprite_index
