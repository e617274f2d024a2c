// The file tools' walk of .sh and .shp bytes (rlsinfo, rlsunpack) on
// arbitrary bytes: it never reads outside them, every record and ray it maps
// lies inside the file, and a fault comes with an offset inside it (or -1).
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FileMap.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

void RequireInside(const RayMap& ray, int64_t size) {
    Require(ray.offset >= 0 && ray.size >= 0 && ray.offset + ray.size <= size);
    for (const RecordMap& record : ray.records) {
        Require(record.offset >= ray.offset && record.size >= 48);
        Require(record.offset + record.size <= size);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    const FileMap map = MapSpriteFile(bytes);
    const auto fileSize = static_cast<int64_t>(size);
    Require(map.size == fileSize);
    Require(map.faultOffset >= -1 && map.faultOffset <= fileSize);
    if (map.kind == SpriteFileKind::kRay) RequireInside(map.ray, fileSize);
    if (map.kind == SpriteFileKind::kFamily) {
        for (const RayMap& ray : map.family.rays) RequireInside(ray, fileSize);
        Require(map.family.textsOffset <= fileSize);
    }
    return 0;
}
