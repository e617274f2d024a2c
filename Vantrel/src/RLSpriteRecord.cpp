#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <Vantrel/ByteIO.h>
#include <Vantrel/DebugAlloc.h>
#include <Vantrel/Fatal.h>
#include <Vantrel/RLSprite.h>
#include <Vantrel/RLSpriteHeader.h>
#include "LoadDecoders.h"

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
    uint8_t header[kRLSpriteHeaderSize];
    EncodeRLSpriteHeader(RLSpriteHeaderOf(sprite), header);
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
    if (!written) ReportFatalOrAbort("StoreRLSprite: Unable to write to file");
}

constexpr const char* kReadFault = "LoadRLSprite: Unable to read file";
constexpr const char* kMemoryFault = "LoadRLSprite: Unable to allocate memory";

// The text of a header CheckRLSpriteHeader refused.
const char* HeaderFaultText(RLSpriteHeaderFault fault) {
    switch (fault) {
        case RLSpriteHeaderFault::kNegativeRunWords:
        case RLSpriteHeaderFault::kNegativeEdgeWords:
        case RLSpriteHeaderFault::kNegativePoints:
            return "LoadRLSprite: Negative count";
        case RLSpriteHeaderFault::kOddEdgeWords:
            return "LoadRLSprite: Odd edge word count";
        case RLSpriteHeaderFault::kPayloadPastTheEnd:
        case RLSpriteHeaderFault::kNone:
            break;
    }
    return kReadFault;
}

// Reads `count` little-endian values of `size` bytes into a new tracked
// buffer, or fails with the record's offset. A source that knows its size
// has been checked to hold them; one that does not has its data gathered
// first (ReadStaged), so a lying count cannot force a huge block before the
// data has arrived.
template <typename T>
T* ReadValues(ByteSource& source, int32_t count, bool sizeKnown, LoadFault& fault, int64_t record) {
    constexpr size_t kSize = sizeof(T);
    const size_t bytes = static_cast<size_t>(count) * kSize;
    std::vector<uint8_t> staging;
    if (!sizeKnown) {
        const StagedRead staged = source.ReadStaged(bytes, staging);
        if (staged == StagedRead::kShort) return Refuse(fault, kReadFault, record);
        if (staged == StagedRead::kNoMemory) return Refuse(fault, kMemoryFault, -1);
    }
    T* values = DebugAllocArray<T>(static_cast<size_t>(count), kSource, __LINE__);
    if (values == nullptr) return Refuse(fault, kMemoryFault, -1);
    if (!sizeKnown) {
        std::memcpy(values, staging.data(), bytes);
    } else if (!source.Read(values, bytes)) {
        DebugFree(values);
        return Refuse(fault, kReadFault, record);
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

// The record's data after its header, into the sprite's buffers. Each buffer
// belongs to the sprite as soon as it exists, so a failure further on
// releases it with the sprite.
bool ReadData(ByteSource& source, const RLSpriteHeader& header, bool sizeKnown, RLSprite& sprite,
              LoadFault& fault, int64_t record) {
    if (header.runWordCount != 0) {
        sprite.runData =
            ReadValues<uint32_t>(source, header.runWordCount, sizeKnown, fault, record);
        if (sprite.runData == nullptr) return false;
        sprite.runWordCount = header.runWordCount;
    }
    if (header.edgeWordCount != 0) {
        sprite.edgeData =
            ReadValues<uint32_t>(source, header.edgeWordCount, sizeKnown, fault, record);
        if (sprite.edgeData == nullptr) return false;
        sprite.edgeWordCount = header.edgeWordCount;
    }
    if (header.pointCount != 0) {
        sprite.pointValues =
            ReadValues<uint16_t>(source, header.pointCount, sizeKnown, fault, record);
        if (sprite.pointValues == nullptr) return false;
        sprite.pointCount = header.pointCount;
        sprite.pointPositions =
            ReadValues<uint32_t>(source, header.pointCount, sizeKnown, fault, record);
        if (sprite.pointPositions == nullptr) return false;
    }
    return true;
}

}  // namespace

void StoreRLSprite(const RLSprite* sprite, const char* path, std::FILE* stream) {
    if (sprite == nullptr || sprite->boundPitch != 0 || sprite->runWordCount < 0 ||
        sprite->edgeWordCount < 0 || sprite->pointCount < 0 ||
        (sprite->runWordCount != 0 && sprite->runData == nullptr) ||
        (sprite->edgeWordCount != 0 && sprite->edgeData == nullptr) ||
        (sprite->pointCount != 0 &&
         (sprite->pointValues == nullptr || sprite->pointPositions == nullptr))) {
        ReportFatalOrAbort("StoreRLSprite: Not a storable sprite");
    }
    StreamInUse file(path, stream, "wb");
    if (!file) ReportFatalOrAbort("StoreRLSprite: Unable to open file");
    WriteRecord(*sprite, file.get());
    if (!file.Close()) ReportFatalOrAbort("StoreRLSprite: Unable to write to file");
}

RLSpritePtr DecodeRLSprite(ByteSource& source, int32_t pitch, LoadFault& fault) {
    const int64_t record = source.Offset();
    RLSpritePtr sprite(new (std::nothrow) RLSprite);
    if (!sprite) return Refuse(fault, kMemoryFault, -1);

    uint8_t bytes[kRLSpriteHeaderSize];
    if (!source.Read(bytes, sizeof bytes)) return Refuse(fault, kReadFault, record);
    const RLSpriteHeader header = DecodeRLSpriteHeader(bytes);
    const int64_t left = source.Left();
    const RLSpriteHeaderCheck check = CheckRLSpriteHeader(header, left);
    if (!check.ok()) {
        return Refuse(fault, HeaderFaultText(check.fault), record + check.fieldOffset);
    }
    sprite->hotSpot = PackXY(header.hotX, header.hotY);
    sprite->bounds = header.bounds;
    if (!ReadData(source, header, left >= 0, *sprite, fault, record)) return nullptr;

    if (const char* reason = FindRLSpriteFault(*sprite, pitch)) {
        return Refuse(fault, std::string("LoadRLSprite: ") + reason, record);
    }
    // Where binding would refuse the pitch: after the record was read whole.
    if (pitch < 0) return Refuse(fault, "BindRLSprite: Bad pitch", -1);
    return sprite;
}

void BindLoaded(RLSprite& sprite, int32_t pitch) {
    if (pitch != 0) BindRLSprite(&sprite, pitch);
}

RLSprite* LoadRLSprite(const char* path, int32_t pitch, std::FILE* stream) {
    return LoadOrReport(DecodeRLSprite, kRLSpriteOpenFault, path, pitch, stream).release();
}
