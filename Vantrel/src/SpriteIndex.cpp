#include "SpriteIndex.h"

#include <new>

namespace sprite_index {

namespace {

constexpr int64_t kLargestIndexedCount = 0xFFFF;

struct RunPlace {
    int32_t word;
    int64_t before;  // rectangle-relative offset before the run's delta
    int64_t row;
};

// Record i's rectangle-relative offset.
int64_t EdgeOffset(const RLSprite& sprite, int32_t i, int64_t rectOffset) {
    return int64_t{static_cast<int32_t>(sprite.edgeData[2 * i])} - rectOffset;
}

// Whether the edge records lie inside the rectangle in scan order; offsets
// are rectangle-relative, as the runs' are.
bool EdgesInScanOrder(const RLSprite& sprite, int64_t rectOffset, int64_t pitch, int64_t width,
                      int64_t height) {
    if (sprite.edgeData == nullptr) return true;
    int64_t previous = -1;
    for (int32_t i = 0; i < sprite.edgeWordCount / 2; ++i) {
        const int64_t at = EdgeOffset(sprite, i, rectOffset);
        if (at <= previous || at / pitch >= height || at % pitch >= width) return false;
        previous = at;
    }
    return true;
}

}  // namespace

std::shared_ptr<const RLSpriteIndex> BuildIndex(const RLSprite& sprite, int32_t pitch) {
    if (pitch < 1 || sprite.runData == nullptr || sprite.runWordCount <= 0) return nullptr;
    const Rect& b = sprite.bounds;
    const int64_t width = int64_t{b.right} - b.left + 1;
    const int64_t height = int64_t{b.bottom} - b.top + 1;
    if (width < 1 || height < 1 || width > pitch) return nullptr;
    const int64_t budget = int64_t{sprite.runWordCount};  // a quarter of 4 bytes a word
    if (static_cast<int64_t>(sizeof(RLSpriteIndex)) > budget) return nullptr;

    auto index = std::make_shared<RLSpriteIndex>();
    index->runData = sprite.runData;
    index->runWordCount = sprite.runWordCount;
    index->edgeData = sprite.edgeData;
    index->edgeWordCount = sprite.edgeWordCount;
    index->hotSpot = sprite.hotSpot;
    index->bounds = b;
    index->pitch = pitch;

    // The rectangle's top-left seen from the origin, as the draw computes it.
    const int64_t rectOffset =
        int64_t{static_cast<int32_t>(sprite.hotSpot)} + int64_t{b.top} * pitch + b.left;
    index->edgesInScanOrder = EdgesInScanOrder(sprite, rectOffset, pitch, width, height);
    std::vector<RunPlace> places;
    const uint32_t* data = sprite.runData;
    const int64_t words = sprite.runWordCount;
    int64_t word = 0;
    int64_t offset = -rectOffset;
    int64_t previousEnd = INT64_MIN;  // rectangle-relative, exclusive
    try {
        while (word < words) {
            if (words - word < 2) return nullptr;
            const int64_t count = static_cast<int32_t>(data[word + 1]);
            if (count < 1 || count > kLargestIndexedCount) return nullptr;
            const int64_t length = 2 + (count + 1) / 2;
            if (length > words - word) return nullptr;
            const int64_t before = offset;
            offset += static_cast<int32_t>(data[word]);
            if (offset < 0) return nullptr;
            const int64_t row = offset / pitch, column = offset % pitch;
            if (row >= height || column + count > width || offset < previousEnd ||
                before < INT32_MIN || before > INT32_MAX || offset > INT32_MAX) {
                return nullptr;
            }
            previousEnd = offset + count;
            places.push_back({static_cast<int32_t>(word), before, row});
            index->counts.push_back(static_cast<uint16_t>(count));
            word += length;
        }
        const auto runs = static_cast<int64_t>(places.size());
        const int64_t fixed = static_cast<int64_t>(sizeof(RLSpriteIndex)) +
                              runs * static_cast<int64_t>(sizeof(uint16_t));
        if (fixed > budget) return nullptr;
        // The finest row step whose entries fit what is left of the budget.
        const auto entryBytes = static_cast<int64_t>(sizeof(RLSpriteIndex::RowEntry));
        int32_t shift = 0;
        while (shift < 31 &&
               fixed + ((height + (int64_t{1} << shift) - 1) >> shift) * entryBytes > budget) {
            ++shift;
        }
        const int64_t entries = (height + (int64_t{1} << shift) - 1) >> shift;
        if (fixed + entries * entryBytes <= budget) {
            index->rowShift = shift;
            index->rows.reserve(static_cast<size_t>(entries));
            const int32_t records = index->edgesInScanOrder && sprite.edgeData != nullptr
                                        ? sprite.edgeWordCount / 2
                                        : 0;
            size_t run = 0;
            int32_t edge = 0;
            for (int64_t j = 0; j < entries; ++j) {
                const int64_t firstRow = j << shift;
                while (run < places.size() && places[run].row < firstRow) ++run;
                while (edge < records && EdgeOffset(sprite, edge, rectOffset) < firstRow * pitch)
                    ++edge;
                if (run < places.size()) {
                    index->rows.push_back({static_cast<int32_t>(run), places[run].word,
                                           static_cast<int32_t>(places[run].before), edge});
                } else {
                    index->rows.push_back(
                        {static_cast<int32_t>(runs), sprite.runWordCount, 0, edge});
                }
            }
        }
        // The edge records' cells, so that a draw cut at the sides places and
        // clips them without following the rows.
        const int64_t records =
            index->edgesInScanOrder && sprite.edgeData != nullptr ? sprite.edgeWordCount / 2 : 0;
        const int64_t cellBytes = records * static_cast<int64_t>(sizeof(uint32_t));
        if (records > 0 && index->rowShift == 0 && !index->rows.empty() && width <= 0xFFFF &&
            height <= 0xFFFF && fixed + entries * entryBytes + cellBytes <= budget) {
            index->edgeCells.reserve(static_cast<size_t>(records));
            for (int32_t i = 0; i < records; ++i) {
                const int64_t at = EdgeOffset(sprite, i, rectOffset);
                index->edgeCells.push_back(static_cast<uint32_t>(at / pitch) << 16 |
                                           static_cast<uint32_t>(at % pitch));
            }
        }
        index->counts.shrink_to_fit();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return index;
}

}  // namespace sprite_index
