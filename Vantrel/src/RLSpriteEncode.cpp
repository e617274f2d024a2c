// The encoder works in 16-bit units and builds the run data as
//
//     run     := dx dy countLow countHigh pixel{n} [pad]
//     dx, dy  := int16: this run's first pixel minus the previous run's first
//                pixel; the "previous" start of the first run is the
//                rectangle's top-left corner, so its delta is from (0, 0) in
//                sprite coordinates
//     count   := int32 n >= 1, low unit first
//     pad     := one zero unit when the units so far are odd, so that every
//                run ends on a 32-bit boundary
//
// and the edge data as records of four units: x, y (sprite coordinates, not
// deltas), level, premultiplied colour. Unit pairs become the little-endian
// words of runData and edgeData, the first unit in the low half.
//
// A run is opened by a run pixel, extended by each following run pixel and
// closed by an edge pixel, a transparent pixel or the end of the row. The
// capacity check comes before a run is opened (its five units may lie beyond
// the limit) and before each further pixel is appended; the scratch buffer
// therefore holds the limit plus one run start and its pad.
#include <Vantrel/RLSpriteEncode.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include <Vantrel/DebugAlloc.h>
#include <Vantrel/Fatal.h>

namespace {

constexpr const char* kSource = "Vantrel\\Bitmap";
constexpr int32_t kRunScratchUnits = kRunUnitLimit + 6;
constexpr int32_t kEdgeUnitLimit = kEdgeRecordLimit * 4;

[[noreturn]] void ReportLimit(const char* format, long count) {
    char text[64];
    std::snprintf(text, sizeof text, format, count);
    ReportFatal(text);
}

// A run delta is a signed 16-bit half of its record's first word.
bool FitsHalfWord(int32_t delta) {
    return delta >= -kLargestSpriteSide - 1 && delta <= kLargestSpriteSide;
}

// Scratch space lent to one encoder at a time and kept for the next: the scan
// itself never allocates, large sprites do not pay for fresh pages on every
// call, and encoders on different threads never share one. (Not thread_local:
// the MinGW runtime may free a thread's storage before it runs the
// destructors of the objects there.)
struct Scratch {
    std::unique_ptr<uint16_t[]> runUnits{new uint16_t[kRunScratchUnits]};
    std::unique_ptr<uint16_t[]> edgeUnits{new uint16_t[kEdgeUnitLimit]};
    std::vector<Pixel16> rowValues;
    std::vector<uint8_t> rowKinds;
};

class ScratchPool {
public:
    std::unique_ptr<Scratch> Take() {
        {
            std::lock_guard<std::mutex> guard(mutex_);
            if (!idle_.empty()) {
                std::unique_ptr<Scratch> scratch = std::move(idle_.back());
                idle_.pop_back();
                return scratch;
            }
        }
        return std::make_unique<Scratch>();
    }
    void Give(std::unique_ptr<Scratch> scratch) {
        std::lock_guard<std::mutex> guard(mutex_);
        idle_.push_back(std::move(scratch));
    }

private:
    std::mutex mutex_;
    std::vector<std::unique_ptr<Scratch>> idle_;
};

ScratchPool& Pool() {
    static ScratchPool pool;
    return pool;
}

// One encoder's loan, given back however the encoder ends (a fatal report
// may unwind through it).
class LentScratch {
public:
    LentScratch() : scratch_(Pool().Take()) {}
    ~LentScratch() { Pool().Give(std::move(scratch_)); }
    LentScratch(const LentScratch&) = delete;
    LentScratch& operator=(const LentScratch&) = delete;
    Scratch& operator*() const { return *scratch_; }

private:
    std::unique_ptr<Scratch> scratch_;
};

// The first index from `from` on whose kind is not `kind` (or `end`), eight
// kinds at a time while they all match.
int32_t SpanEnd(const uint8_t* kinds, int32_t from, int32_t end, uint8_t kind) {
    const uint64_t all = 0x0101010101010101ull * kind;
    while (from + 8 <= end) {
        uint64_t eight;
        std::memcpy(&eight, kinds + from, 8);
        if (eight != all) break;
        from += 8;
    }
    while (from < end && kinds[from] == kind) ++from;
    return from;
}

uint32_t* WordsFromUnits(const uint16_t* units, int32_t unitCount) {
    int32_t wordCount = unitCount / 2;
    auto* words = DebugAllocArray<uint32_t>(static_cast<size_t>(wordCount), kSource, __LINE__);
    if (words == nullptr) ReportFatal("EncodeRLSprite: Unable to allocate memory");
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(words, units, static_cast<size_t>(wordCount) * 4);
    } else {
        for (int32_t i = 0; i < wordCount; ++i) {
            words[i] = static_cast<uint32_t>(units[2 * i]) |
                       (static_cast<uint32_t>(units[2 * i + 1]) << 16);
        }
    }
    return words;
}

}  // namespace

int FeatherLevel(Pixel16 p, int brightness, Pixel16& colour) {
    if (brightness <= 3) {
        colour = static_cast<Pixel16>((p >> 2) & 0x39E7);
        return 1;
    }
    if (brightness <= 5) {
        colour = static_cast<Pixel16>((p >> 1) & 0x7BEF);
        return 2;
    }
    if (brightness <= 8) {
        colour = static_cast<Pixel16>(p - ((p >> 2) & 0x39E7));
        return 3;
    }
    colour = static_cast<Pixel16>(p - ((p >> 3) & 0x18E3));
    return 4;
}

void EncodeRLSprite(const RLSpriteSource& source, const Rect& rectangle, RLSprite& sprite) {
    const int64_t width = static_cast<int64_t>(rectangle.right) - rectangle.left + 1;
    const int64_t height = static_cast<int64_t>(rectangle.bottom) - rectangle.top + 1;
    if (width > kLargestRectangleSide || height > kLargestRectangleSide) {
        ReportLimit("Sprite too large %ld\n", static_cast<long>(std::max(width, height)));
    }
    // What the record cannot hold is met pixel by pixel below: a run start
    // more than kLargestSpriteSide from the previous one, an edge pixel beyond
    // kLargestSpriteSide.
    const auto tooLarge = [&] {
        ReportLimit("Sprite too large %ld\n", static_cast<long>(std::max(width, height)));
    };

    const LentScratch loan;
    Scratch& scratch = *loan;
    uint16_t* const runs = scratch.runUnits.get();
    uint16_t* const edges = scratch.edgeUnits.get();
    int32_t runUnits = 0;
    int32_t edgeUnits = 0;

    if (width > 0 && height > 0) {
        const auto rowWidth = static_cast<int32_t>(width);
        if (scratch.rowKinds.size() < static_cast<size_t>(rowWidth)) {
            scratch.rowValues.resize(static_cast<size_t>(rowWidth));
            scratch.rowKinds.resize(static_cast<size_t>(rowWidth));
        }
        Pixel16* const values = scratch.rowValues.data();
        const uint8_t* const kinds = scratch.rowKinds.data();
        // Previous run start, in sprite coordinates.
        int32_t previousX = 0;
        int32_t previousY = 0;

        for (int32_t row = 0; row < static_cast<int32_t>(height); ++row) {
            source.classifyRow(source.context, rectangle.top + row, rectangle.left, rectangle.right,
                               values, scratch.rowKinds.data());
            int32_t x = 0;
            while (x < rowWidth) {
                const uint8_t kind = kinds[x];
                if (kind == kTransparentPixel) {
                    x = SpanEnd(kinds, x + 1, rowWidth, kTransparentPixel);
                    continue;
                }
                if (kind == kRunPixel) {
                    const int32_t end = SpanEnd(kinds, x + 1, rowWidth, kRunPixel);
                    const int32_t count = end - x;
                    if (runUnits >= kRunUnitLimit) ReportLimit("List too long %ld\n", runUnits);
                    const int32_t firstPixel = runUnits + 4;
                    // Appending pixel i (i >= 1) finds firstPixel + i units held.
                    if (count > 1 && firstPixel + count - 1 >= kRunUnitLimit) {
                        ReportLimit("List too long %ld\n", std::max(firstPixel + 1, kRunUnitLimit));
                    }
                    if (!FitsHalfWord(x - previousX) || !FitsHalfWord(row - previousY)) tooLarge();
                    runs[runUnits] = static_cast<uint16_t>(x - previousX);
                    runs[runUnits + 1] = static_cast<uint16_t>(row - previousY);
                    runs[runUnits + 2] = static_cast<uint16_t>(count);
                    runs[runUnits + 3] = static_cast<uint16_t>(static_cast<uint32_t>(count) >> 16);
                    std::memcpy(runs + firstPixel, values + x, static_cast<size_t>(count) * 2);
                    runUnits = firstPixel + count;
                    if ((runUnits & 1) != 0) runs[runUnits++] = 0;
                    previousX = x;
                    previousY = row;
                    x = end;
                    continue;
                }
                if (edgeUnits >= kEdgeUnitLimit) {
                    ReportLimit("Edge list too long %ld\n", edgeUnits);
                }
                if (x > kLargestSpriteSide || row > kLargestSpriteSide) tooLarge();
                Pixel16 colour = 0;
                const int level = FeatherLevel(values[x], EdgeKindBrightness(kind), colour);
                edges[edgeUnits] = static_cast<uint16_t>(x);
                edges[edgeUnits + 1] = static_cast<uint16_t>(row);
                edges[edgeUnits + 2] = static_cast<uint16_t>(level);
                edges[edgeUnits + 3] = colour;
                edgeUnits += 4;
                ++x;
            }
        }
    }

    sprite.runWordCount = runUnits / 2;
    sprite.runData = WordsFromUnits(runs, runUnits);
    sprite.edgeWordCount = edgeUnits / 2;
    sprite.edgeData = edgeUnits == 0 ? nullptr : WordsFromUnits(edges, edgeUnits);
}
