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

// What the opaque pixels of a rectangle would take as plain runs: consecutive
// opaque pixels of a row (run or edge pixels) make one run of 4 + n units,
// padded to an even count as the encoder pads.
struct PlainRuns {
    int64_t units = 0;
    int32_t end = -1;  // the column after the current stretch; -1: none open
    int32_t length = 0;

    void Add(int32_t x, int32_t count) {
        if (x != end) Close();
        length += count;
        end = x + count;
    }
    void Close() {
        if (length > 0) {
            units += 4 + length;
            units += units & 1;
        }
        length = 0;
        end = -1;
    }
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
    if (words == nullptr) ReportFatalOrAbort("EncodeRLSprite: Unable to allocate memory");
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

// Feeds the runs and edge records stored so far to plain in scan order, as the
// stretches of opaque pixels they came from; the stretch open on `row` (where
// a limit stopped the encoder) is left open.
void PlainRunsOfStored(const uint16_t* runs, int32_t runUnits, const uint16_t* edges,
                       int32_t edgeUnits, int32_t row, PlainRuns& plain) {
    int32_t runAt = 0;
    int32_t edgeAt = 0;
    int32_t runX = 0;
    int32_t runY = 0;
    int32_t currentRow = -1;
    while (runAt < runUnits || edgeAt < edgeUnits) {
        int32_t x = 0;
        int32_t y = 0;
        int32_t count = 1;
        bool takeRun = runAt < runUnits;
        int32_t nextRunX = 0;
        int32_t nextRunY = 0;
        if (takeRun) {
            nextRunX = runX + static_cast<int16_t>(runs[runAt]);
            nextRunY = runY + static_cast<int16_t>(runs[runAt + 1]);
        }
        if (edgeAt < edgeUnits) {
            const int32_t edgeX = edges[edgeAt];
            const int32_t edgeY = edges[edgeAt + 1];
            if (!takeRun || edgeY < nextRunY || (edgeY == nextRunY && edgeX < nextRunX)) {
                takeRun = false;
                x = edgeX;
                y = edgeY;
                edgeAt += 4;
            }
        }
        if (takeRun) {
            x = runX = nextRunX;
            y = runY = nextRunY;
            count = static_cast<int32_t>(runs[runAt + 2] | (uint32_t{runs[runAt + 3]} << 16));
            runAt += 4 + count + ((4 + count) & 1);
        }
        if (y != currentRow) {
            plain.Close();
            currentRow = y;
        }
        plain.Add(x, count);
    }
    if (currentRow != row) plain.Close();
}

// The counts of the status for the kinds of one row from column `from` on.
void CountKinds(const uint8_t* kinds, int32_t from, int32_t rowWidth, EncodeStatus& status,
                PlainRuns& plain) {
    for (int32_t x = from; x < rowWidth; ++x) {
        const uint8_t kind = kinds[x];
        if (kind == kTransparentPixel) continue;
        ++status.opaquePixels;
        if (kind != kRunPixel) ++status.edgePixels;
        plain.Add(x, 1);
    }
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

EncodeStatus TryEncodeRLSprite(const RLSpriteSource& source, const Rect& rectangle,
                               RLSprite& sprite) {
    const int64_t width = static_cast<int64_t>(rectangle.right) - rectangle.left + 1;
    const int64_t height = static_cast<int64_t>(rectangle.bottom) - rectangle.top + 1;
    EncodeStatus status;
    if (width > kLargestRectangleSide || height > kLargestRectangleSide) {
        status.limit = EncodeLimit::SpriteSize;
        status.number = std::max(width, height);
        return status;
    }

    const LentScratch loan;
    Scratch& scratch = *loan;
    uint16_t* const runs = scratch.runUnits.get();
    uint16_t* const edges = scratch.edgeUnits.get();
    int32_t runUnits = 0;
    int32_t edgeUnits = 0;
    int64_t runPixels = 0;
    PlainRuns plain;
    bool counting = false;

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
        // What the record cannot hold is met pixel by pixel below: a run start
        // more than kLargestSpriteSide from the previous one, an edge pixel
        // beyond kLargestSpriteSide. From the pixel where a limit is met on,
        // the pixels are only counted.
        EncodeLimit limit = EncodeLimit::None;
        int64_t number = 0;

        for (int32_t row = 0; row < static_cast<int32_t>(height); ++row) {
            source.classifyRow(source.context, rectangle.top + row, rectangle.left, rectangle.right,
                               values, scratch.rowKinds.data());
            int32_t x = 0;
            if (!counting) {
                while (x < rowWidth) {
                    const uint8_t kind = kinds[x];
                    if (kind == kTransparentPixel) {
                        x = SpanEnd(kinds, x + 1, rowWidth, kTransparentPixel);
                        continue;
                    }
                    if (kind == kRunPixel) {
                        const int32_t end = SpanEnd(kinds, x + 1, rowWidth, kRunPixel);
                        const int32_t count = end - x;
                        const int32_t firstPixel = runUnits + 4;
                        // Appending pixel i (i >= 1) finds firstPixel + i units held.
                        if (runUnits >= kRunUnitLimit) {
                            limit = EncodeLimit::RunData;
                            number = runUnits;
                            break;
                        }
                        if (count > 1 && firstPixel + count - 1 >= kRunUnitLimit) {
                            limit = EncodeLimit::RunData;
                            number = std::max(firstPixel + 1, kRunUnitLimit);
                            break;
                        }
                        if (!FitsHalfWord(x - previousX) || !FitsHalfWord(row - previousY)) {
                            limit = EncodeLimit::SpriteSize;
                            number = std::max(width, height);
                            break;
                        }
                        runs[runUnits] = static_cast<uint16_t>(x - previousX);
                        runs[runUnits + 1] = static_cast<uint16_t>(row - previousY);
                        runs[runUnits + 2] = static_cast<uint16_t>(count);
                        runs[runUnits + 3] =
                            static_cast<uint16_t>(static_cast<uint32_t>(count) >> 16);
                        std::memcpy(runs + firstPixel, values + x, static_cast<size_t>(count) * 2);
                        runUnits = firstPixel + count;
                        if ((runUnits & 1) != 0) runs[runUnits++] = 0;
                        runPixels += count;
                        previousX = x;
                        previousY = row;
                        x = end;
                        continue;
                    }
                    if (edgeUnits >= kEdgeUnitLimit) {
                        limit = EncodeLimit::EdgeList;
                        number = edgeUnits;
                        break;
                    }
                    if (x > kLargestSpriteSide || row > kLargestSpriteSide) {
                        limit = EncodeLimit::SpriteSize;
                        number = std::max(width, height);
                        break;
                    }
                    Pixel16 colour = 0;
                    const int level = FeatherLevel(values[x], EdgeKindBrightness(kind), colour);
                    edges[edgeUnits] = static_cast<uint16_t>(x);
                    edges[edgeUnits + 1] = static_cast<uint16_t>(row);
                    edges[edgeUnits + 2] = static_cast<uint16_t>(level);
                    edges[edgeUnits + 3] = colour;
                    edgeUnits += 4;
                    ++x;
                }
                if (limit == EncodeLimit::None) continue;
                // From here on the pixels are only counted: what was stored,
                // then the rest of this row and every later row.
                counting = true;
                status.limit = limit;
                status.number = number;
                PlainRunsOfStored(runs, runUnits, edges, edgeUnits, row, plain);
            }
            CountKinds(kinds, x, rowWidth, status, plain);
            plain.Close();
        }
    }

    status.opaquePixels += runPixels + edgeUnits / 4;
    status.edgePixels += edgeUnits / 4;
    status.unitsWithoutEdges = plain.units;
    if (status.limit != EncodeLimit::None) return status;
    sprite.runWordCount = runUnits / 2;
    sprite.runData = WordsFromUnits(runs, runUnits);
    sprite.edgeWordCount = edgeUnits / 2;
    sprite.edgeData = edgeUnits == 0 ? nullptr : WordsFromUnits(edges, edgeUnits);
    return status;
}

void EncodeRLSprite(const RLSpriteSource& source, const Rect& rectangle, RLSprite& sprite) {
    const EncodeStatus status = TryEncodeRLSprite(source, rectangle, sprite);
    if (status.limit != EncodeLimit::None) ReportFatalOrAbort(EncodeLimitText(status).c_str());
}

EncodeStatus TryAnchorRLSprite(RLSprite& sprite, const Rect& rectangle, int32_t cx, int32_t cy) {
    EncodeStatus status;
    const int64_t hotX = static_cast<int64_t>(cx) - rectangle.left;
    const int64_t hotY = static_cast<int64_t>(cy) - rectangle.top;
    if (hotX < INT16_MIN || hotX > INT16_MAX || hotY < INT16_MIN || hotY > INT16_MAX) {
        status.limit = EncodeLimit::HotSpot;
        status.number = std::max(hotX < 0 ? -hotX : hotX, hotY < 0 ? -hotY : hotY);
        return status;
    }
    sprite.hotSpot = PackXY(static_cast<int16_t>(hotX), static_cast<int16_t>(hotY));
    sprite.bounds =
        Rect{rectangle.left - cx, rectangle.top - cy, rectangle.right - cx, rectangle.bottom - cy};
    sprite.pointCount = 0;
    return status;
}

void AnchorRLSprite(RLSprite& sprite, const Rect& rectangle, int32_t cx, int32_t cy) {
    const EncodeStatus status = TryAnchorRLSprite(sprite, rectangle, cx, cy);
    if (status.limit != EncodeLimit::None) ReportFatalOrAbort(EncodeLimitText(status).c_str());
}

std::string EncodeLimitText(const EncodeStatus& status) {
    const char* format = nullptr;
    switch (status.limit) {
        case EncodeLimit::None:
            return std::string();
        case EncodeLimit::RunData:
            format = "List too long %ld\n";
            break;
        case EncodeLimit::EdgeList:
            format = "Edge list too long %ld\n";
            break;
        case EncodeLimit::SpriteSize:
            format = "Sprite too large %ld\n";
            break;
        case EncodeLimit::HotSpot:
            format = "Hot spot too far %ld\n";
            break;
    }
    char text[64];
    std::snprintf(text, sizeof text, format, static_cast<long>(status.number));
    return text;
}
