#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <Vantrel/ByteIO.h>
#include <Vantrel/DebugAlloc.h>
#include <Vantrel/Fatal.h>
#include <Vantrel/RLSprite.h>

namespace {

constexpr const char* kSource = "Vantrel\\Bitmap";

// Words and half-words are written through a small byte buffer so the file is
// little-endian on any host.
template <typename Value>
bool WriteLittleEndian(std::FILE* stream, const Value* values, int32_t count) {
    static_assert(sizeof(Value) == 2 || sizeof(Value) == 4);
    uint8_t bytes[4096];
    constexpr int32_t kChunk = sizeof bytes / sizeof(Value);
    for (int32_t done = 0; done < count;) {
        const int32_t n = count - done < kChunk ? count - done : kChunk;
        for (int32_t i = 0; i < n; ++i) {
            if constexpr (sizeof(Value) == 4) {
                StoreU32(bytes + 4 * i, values[done + i]);
            } else {
                StoreU16(bytes + 2 * i, values[done + i]);
            }
        }
        if (!WriteBytes(stream, bytes, static_cast<size_t>(n) * sizeof(Value))) return false;
        done += n;
    }
    return true;
}

void WriteRecord(const RLSprite& sprite, std::FILE* stream) {
    uint8_t header[kRLSpriteHeaderSize] = {};
    StoreU32(header + 0, static_cast<uint32_t>(sprite.runWordCount));
    StoreU32(header + 4, static_cast<uint32_t>(sprite.edgeWordCount));
    StoreU32(header + 8, static_cast<uint32_t>(sprite.pointCount));
    StoreU32(header + 20, sprite.hotSpot);
    StoreU32(header + 32, static_cast<uint32_t>(sprite.bounds.left));
    StoreU32(header + 36, static_cast<uint32_t>(sprite.bounds.top));
    StoreU32(header + 40, static_cast<uint32_t>(sprite.bounds.right));
    StoreU32(header + 44, static_cast<uint32_t>(sprite.bounds.bottom));
    bool written = WriteBytes(stream, header, sizeof header);
    if (written && sprite.runWordCount != 0) {
        written = WriteLittleEndian(stream, sprite.runData, sprite.runWordCount);
    }
    if (written && sprite.edgeWordCount != 0) {
        written = WriteLittleEndian(stream, sprite.edgeData, sprite.edgeWordCount);
    }
    if (written && sprite.pointCount != 0) {
        written = WriteLittleEndian(stream, sprite.pointValues, sprite.pointCount) &&
                  WriteLittleEndian(stream, sprite.pointPositions, sprite.pointCount);
    }
    if (!written) ReportFatal("StoreRLSprite: Unable to write to file");
}

// Reads `count` little-endian values of `size` bytes into a new tracked
// buffer. With the bytes left unknown (a pipe) the data is gathered first
// (ReadStaged), so a lying count cannot force a huge block before the data
// has arrived.
template <typename T>
T* ReadValues(std::FILE* stream, int32_t count, bool sizeKnown) {
    constexpr size_t kSize = sizeof(T);
    const size_t bytes = static_cast<size_t>(count) * kSize;
    std::vector<uint8_t> staging;
    if (!sizeKnown && !ReadStaged(stream, bytes, staging)) {
        ReportFatal("LoadRLSprite: Unable to read file");
    }
    T* values = DebugAllocArray<T>(static_cast<size_t>(count), kSource, __LINE__);
    if (values == nullptr) ReportFatal("LoadRLSprite: Unable to allocate memory");
    if (!sizeKnown) {
        std::memcpy(values, staging.data(), bytes);
    } else if (!ReadBytes(stream, values, bytes)) {
        DebugFree(values);
        ReportFatal("LoadRLSprite: Unable to read file");
    }
    auto* raw = reinterpret_cast<const uint8_t*>(values);
    for (int32_t i = 0; i < count; ++i) {
        uint8_t b[kSize];
        std::memcpy(b, raw + i * kSize, kSize);
        if constexpr (kSize == 4) {
            values[i] = LoadU32(b);
        } else {
            values[i] = LoadU16(b);
        }
    }
    return values;
}

}  // namespace

void StoreRLSprite(const RLSprite* sprite, const char* path, std::FILE* stream) {
    if (sprite == nullptr || sprite->boundPitch != 0 || sprite->runWordCount < 0 ||
        sprite->edgeWordCount < 0 || sprite->pointCount < 0 ||
        (sprite->runWordCount != 0 && sprite->runData == nullptr) ||
        (sprite->edgeWordCount != 0 && sprite->edgeData == nullptr) ||
        (sprite->pointCount != 0 &&
         (sprite->pointValues == nullptr || sprite->pointPositions == nullptr))) {
        ReportFatal("StoreRLSprite: Not a storable sprite");
    }
    StreamInUse file(path, stream, "wb");
    if (!file) ReportFatal("StoreRLSprite: Unable to open file");
    WriteRecord(*sprite, file.get());
    if (!file.Close()) ReportFatal("StoreRLSprite: Unable to write to file");
}

RLSprite* LoadRLSprite(const char* path, int32_t pitch, std::FILE* stream) {
    StreamInUse file(path, stream, "rb");
    if (!file) ReportFatal("LoadRLSprite: Unable to open file");
    stream = file.get();
    RLSpritePtr sprite(new (std::nothrow) RLSprite);
    if (!sprite) ReportFatal("LoadRLSprite: Unable to allocate memory");

    uint8_t header[kRLSpriteHeaderSize];
    if (!ReadBytes(stream, header, sizeof header)) ReportFatal("LoadRLSprite: Unable to read file");
    const int32_t runWords = LoadI32(header + 0);
    const int32_t edgeWords = LoadI32(header + 4);
    const int32_t points = LoadI32(header + 8);
    if (runWords < 0 || edgeWords < 0 || points < 0) ReportFatal("LoadRLSprite: Negative count");
    if ((edgeWords & 1) != 0) ReportFatal("LoadRLSprite: Odd edge word count");
    sprite->hotSpot = LoadU32(header + 20);
    sprite->bounds = Rect{LoadI32(header + 32), LoadI32(header + 36), LoadI32(header + 40),
                          LoadI32(header + 44)};

    const int64_t payload = 4 * static_cast<int64_t>(runWords) +
                            4 * static_cast<int64_t>(edgeWords) + 6 * static_cast<int64_t>(points);
    const StreamRoom room = RoomFor(stream, static_cast<uint64_t>(payload));
    if (room == StreamRoom::kShort) ReportFatal("LoadRLSprite: Unable to read file");
    const bool sizeKnown = room == StreamRoom::kEnough;

    // Each buffer is owned by the sprite as soon as it exists, so a failure
    // further on releases it.
    if (runWords != 0) {
        sprite->runData = ReadValues<uint32_t>(stream, runWords, sizeKnown);
        sprite->runWordCount = runWords;
    }
    if (edgeWords != 0) {
        sprite->edgeData = ReadValues<uint32_t>(stream, edgeWords, sizeKnown);
        sprite->edgeWordCount = edgeWords;
    }
    if (points != 0) {
        sprite->pointValues = ReadValues<uint16_t>(stream, points, sizeKnown);
        sprite->pointCount = points;
        sprite->pointPositions = ReadValues<uint32_t>(stream, points, sizeKnown);
    }
    file.Close();

    if (const char* fault = FindRLSpriteFault(*sprite, pitch)) {
        ReportFatal((std::string("LoadRLSprite: ") + fault).c_str());
    }
    if (pitch != 0) BindRLSprite(sprite.get(), pitch);
    return sprite.release();
}
