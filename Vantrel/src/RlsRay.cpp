#include <algorithm>

#include <Vantrel/ByteIO.h>
#include <Vantrel/DebugAlloc.h>
#include <Vantrel/Fatal.h>
#include <Vantrel/Rls.h>
#include "LoadDecoders.h"

namespace {

constexpr const char* kSource = "Vantrel\\Rls";

// The ray's array grown to capacity entries (a failure leaves it as it was);
// the ray's count stays the number of sprites in it.
bool GrowArray(RlsRay& ray, int32_t capacity) {
    const size_t bytes = static_cast<size_t>(capacity) * sizeof(RLSprite*);
    void* grown = ray.sprites == nullptr ? DebugAlloc(bytes, kSource, __LINE__)
                                         : DebugRealloc(ray.sprites, bytes, kSource, __LINE__);
    if (grown != nullptr) ray.sprites = static_cast<RLSprite**>(grown);
    return grown != nullptr;
}

}  // namespace

RlsRay::RlsRay(int32_t count) : count(count) {
    if (count > 0) {
        sprites = static_cast<RLSprite**>(
            DebugCalloc(static_cast<size_t>(count), sizeof(RLSprite*), kSource, __LINE__));
    }
}

RlsRay::~RlsRay() {
    if (sprites != nullptr) {
        for (int32_t i = 0; i < count; ++i) FreeRLSprite(sprites[i]);
    }
    DebugFree(sprites);
    sprites = nullptr;
}

void RlsRay::Set(int32_t index, RLSprite* sprite) {
    if (sprites != nullptr && index >= 0 && index < count) sprites[index] = sprite;
}

RlsRayPtr DecodeRlsRay(ByteSource& source, int32_t pitch, LoadFault& fault) {
    constexpr const char* kReadFault = "LoadRlsRay: Unable to read file";
    const int64_t magicAt = source.Offset();
    uint16_t magic = 0;
    if (!source.ReadU16(magic)) return Refuse(fault, kReadFault, magicAt);
    if (magic != kRlsRayMagic) return Refuse(fault, "LoadRlsRay: Not a RlsRay file", magicAt);
    const int64_t countAt = source.Offset();
    uint16_t count = 0;
    if (!source.ReadU16(count)) return Refuse(fault, kReadFault, countAt);
    // Every record holds at least its header.
    RoomCheck room;
    if (!room.Begin(source, uint64_t{count} * kRLSpriteHeaderSize)) {
        return Refuse(fault, kReadFault, countAt);
    }
    // The array holds the sprites the count announces where the source was
    // checked to hold their headers; from a source that cannot tell, it
    // grows with the sprites that arrive, so that a lying count costs no more
    // memory than the data that is there.
    const int32_t firstCapacity = room.Answered() ? count : std::min<int32_t>(count, 64);
    RlsRayPtr ray(new (std::nothrow) RlsRay(0));
    bool loaded = ray != nullptr;
    int32_t capacity = 0;
    for (int32_t i = 0; loaded && i < count; ++i) {
        if (i == capacity) {
            capacity = i == 0 ? firstCapacity : std::min<int32_t>(count, 2 * capacity);
            if (!GrowArray(*ray, capacity)) break;
        }
        ray->sprites[i] = DecodeRLSprite(source, pitch, fault).release();
        loaded = ray->sprites[i] != nullptr;
        if (loaded) ray->count = i + 1;
    }
    if (!loaded || ray->count != count) {
        if (fault.text.empty()) Refuse(fault, "LoadRlsRay: Unable to allocate memory", -1);
        // A source that could not tell its size is refused as one that
        // could would have been: at the count, when the records' headers
        // were not all there.
        if (!room.Held(source)) return Refuse(fault, kReadFault, countAt);
        return nullptr;
    }
    return ray;
}

void BindLoaded(RlsRay& ray, int32_t pitch) {
    for (int32_t i = 0; i < ray.count; ++i) BindLoaded(*ray.sprites[i], pitch);
}

RlsRay* LoadRlsRay(const char* path, int32_t pitch, std::FILE* stream) {
    return LoadOrReport(DecodeRlsRay, kRlsRayOpenFault, path, pitch, stream).release();
}

void StoreRlsRay(const RlsRay* ray, const char* path, std::FILE* stream) {
    bool storable = ray != nullptr && ray->count >= 0 && ray->count <= 0xFFFF &&
                    (ray->count == 0 || ray->sprites != nullptr);
    for (int32_t i = 0; storable && i < ray->count; ++i) storable = ray->sprites[i] != nullptr;
    if (!storable) ReportFatalOrAbort("StoreRlsRay: Not a storable ray");

    StreamInUse file(path, stream, "wb");
    if (!file) ReportFatalOrAbort("StoreRlsRay: Unable to open file");
    stream = file.get();
    if (!WriteU16(stream, kRlsRayMagic) || !WriteU16(stream, static_cast<uint16_t>(ray->count))) {
        ReportFatalOrAbort("StoreRlsRay: Unable to write to file");
    }
    for (int32_t i = 0; i < ray->count; ++i) StoreRLSprite(ray->Get(i), path, stream);
    if (!file.Close()) ReportFatalOrAbort("StoreRlsRay: Unable to write to file");
}
