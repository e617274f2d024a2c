#include <Vantrel/ByteIO.h>
#include <Vantrel/DebugAlloc.h>
#include <Vantrel/Fatal.h>
#include <Vantrel/Rls.h>

namespace {

constexpr const char* kSource = "Vantrel\\Rls";

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

RlsRay* LoadRlsRay(const char* path, int32_t pitch, std::FILE* stream) {
    StreamInUse file(path, stream, "rb");
    if (!file) ReportFatal("LoadRlsRay: Unable to open file");
    stream = file.get();
    uint16_t magic = 0;
    if (!ReadU16(stream, magic)) ReportFatal("LoadRlsRay: Unable to read file");
    if (magic != kRlsRayMagic) ReportFatal("LoadRlsRay: Not a RlsRay file");
    uint16_t count = 0;
    if (!ReadU16(stream, count)) ReportFatal("LoadRlsRay: Unable to read file");
    // Every record holds at least its header.
    if (RoomFor(stream, uint64_t{count} * kRLSpriteHeaderSize) == StreamRoom::kShort) {
        ReportFatal("LoadRlsRay: Unable to read file");
    }
    RlsRayPtr ray(new (std::nothrow) RlsRay(count));
    if (!ray || (count != 0 && ray->sprites == nullptr)) {
        ReportFatal("LoadRlsRay: Unable to allocate memory");
    }
    for (int32_t i = 0; i < count; ++i) ray->sprites[i] = LoadRLSprite(nullptr, pitch, stream);
    return ray.release();
}

void StoreRlsRay(const RlsRay* ray, const char* path, std::FILE* stream) {
    bool storable = ray != nullptr && ray->count >= 0 && ray->count <= 0xFFFF &&
                    (ray->count == 0 || ray->sprites != nullptr);
    for (int32_t i = 0; storable && i < ray->count; ++i) storable = ray->sprites[i] != nullptr;
    if (!storable) ReportFatal("StoreRlsRay: Not a storable ray");

    StreamInUse file(path, stream, "wb");
    if (!file) ReportFatal("StoreRlsRay: Unable to open file");
    stream = file.get();
    if (!WriteU16(stream, kRlsRayMagic) || !WriteU16(stream, static_cast<uint16_t>(ray->count))) {
        ReportFatal("StoreRlsRay: Unable to write to file");
    }
    for (int32_t i = 0; i < ray->count; ++i) StoreRLSprite(ray->Get(i), path, stream);
    if (!file.Close()) ReportFatal("StoreRlsRay: Unable to write to file");
}
