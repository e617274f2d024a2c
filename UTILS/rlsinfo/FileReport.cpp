#include "FileReport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <Vantrel/RLSprite.h>
#include <Vantrel/Rls.h>
#include <Vantrel/TryLoad.h>

#include "SpritePixels.h"

namespace {

RayReport FromMap(const RayMap& map) {
    RayReport ray;
    ray.offset = map.offset;
    ray.bytes = map.size;
    ray.count = map.count;
    for (size_t i = 0; i < map.records.size(); ++i) {
        const RecordMap& record = map.records[i];
        SpriteReport sprite;
        sprite.index = static_cast<int>(i);
        sprite.offset = record.offset;
        sprite.bytes = record.size;
        const RLSpriteHeader& header = record.header;
        sprite.width = static_cast<int32_t>(int64_t{header.bounds.right} - header.bounds.left + 1);
        sprite.height = static_cast<int32_t>(int64_t{header.bounds.bottom} - header.bounds.top + 1);
        sprite.hotX = header.hotX;
        sprite.hotY = header.hotY;
        sprite.bounds = header.bounds;
        sprite.edgeRecords = header.edgeWordCount / 2;
        sprite.points = header.pointCount;
        ray.sprites.push_back(sprite);
    }
    return ray;
}

// Counts runs from the loaded ray and applies the library's sprite check.
// Returns false with the fault when a sprite does not pass.
bool CheckLoadedRay(const RlsRay& loaded, RayReport& ray, const std::string& name,
                    FileReport& report) {
    for (SpriteReport& sprite : ray.sprites) {
        const RLSprite* s = loaded.Get(sprite.index);
        if (s == nullptr) continue;
        if (const char* fault = FindRLSpriteFault(*s)) {
            report.reason = fault;
            report.detail = name + "sprite " + std::to_string(sprite.index);
            report.offset = sprite.offset;
            return false;
        }
        const SpriteCounts counts = CountSprite(*s);
        sprite.runs = counts.runs;
        sprite.runPixels = counts.runPixels;
    }
    return true;
}

// When the loader refused a file whose layout is sound, the fault lies in one
// record, and the loader named its offset: say which sprite that is.
void NameRecordAt(int64_t offset, const std::vector<RayReport>& rays, FileReport& report) {
    for (size_t r = 0; r < rays.size(); ++r)
        for (const SpriteReport& sprite : rays[r].sprites) {
            if (sprite.offset != offset) continue;
            report.detail =
                (report.kind == SpriteFileKind::kFamily ? "ray " + std::to_string(r) + ": "
                                                        : std::string()) +
                "sprite " + std::to_string(sprite.index);
            report.offset = sprite.offset;
            return;
        }
}

}  // namespace

FileReport ReportOnFile(const std::string& path) {
    FileReport report;
    report.path = path;
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        report.reason = std::string("cannot read the file: ") + std::strerror(errno);
        return report;
    }
    const FileMap map = MapSpriteFile(bytes);
    report.kind = map.kind;
    report.bytes = map.size;
    report.notes = map.notes;
    if (map.kind == SpriteFileKind::kRay) {
        report.ray = FromMap(map.ray);
    } else if (map.kind == SpriteFileKind::kFamily) {
        for (uint8_t entry : map.family.table)
            report.slots.push_back(entry == kRlsHandledSlot ? -1 : entry);
        for (const RayMap& ray : map.family.rays) report.rays.push_back(FromMap(ray));
        report.texts = map.family.texts;
        report.textCount = map.family.textCount;
    } else {
        report.reason = map.fault;
        report.offset = map.faultOffset;
        return report;
    }

    vantrel::LoadError failure;
    RlsRayPtr ray;
    RlsFamilyPtr family;
    if (map.kind == SpriteFileKind::kRay)
        ray = vantrel::TryLoadRay(bytes.data(), bytes.size(), 0, failure);
    else
        family = vantrel::TryLoadFamily(bytes.data(), bytes.size(), 0, failure);

    if (!ray && !family) {
        report.reason = failure.message;
        if (!map.ok()) {
            report.detail = map.fault;
            report.offset = map.faultOffset;
        } else {
            NameRecordAt(
                failure.offset,
                map.kind == SpriteFileKind::kRay ? std::vector<RayReport>{report.ray} : report.rays,
                report);
        }
        return report;
    }
    if (ray && !CheckLoadedRay(*ray, report.ray, "", report)) return report;
    if (family) {
        // Each distinct ray sits in the first slot that names it.
        for (size_t r = 0; r < report.rays.size(); ++r) {
            for (size_t k = 0; k < report.slots.size(); ++k) {
                if (report.slots[k] != static_cast<int>(r)) continue;
                const RlsRay* loaded = family->rays.Get(static_cast<int32_t>(k));
                if (loaded != nullptr && !CheckLoadedRay(*loaded, report.rays[r],
                                                         "ray " + std::to_string(r) + ": ", report))
                    return report;
                break;
            }
        }
    }
    if (!map.ok()) {
        report.reason = map.fault;
        report.offset = map.faultOffset;
        return report;
    }
    report.valid = true;
    return report;
}
