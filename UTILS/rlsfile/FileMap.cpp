#include "FileMap.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include <Vantrel/ByteIO.h>
#include <Vantrel/RLSpriteHeader.h>
#include <Vantrel/Rls.h>

namespace {

std::string Format(const char* format, long long a, long long b = 0, long long c = 0) {
    char text[200];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

// The walk's words for a record header the library's check refused.
std::string HeaderFault(RLSpriteHeaderFault fault, int64_t recordSize, int64_t left) {
    switch (fault) {
        case RLSpriteHeaderFault::kNegativeRunWords:
            return "negative run word count";
        case RLSpriteHeaderFault::kNegativeEdgeWords:
            return "negative edge word count";
        case RLSpriteHeaderFault::kNegativePoints:
            return "negative point count";
        case RLSpriteHeaderFault::kOddEdgeWords:
            return "odd edge word count";
        case RLSpriteHeaderFault::kPayloadPastTheEnd:
        case RLSpriteHeaderFault::kNone:
            break;
    }
    return Format("the record needs %lld bytes, the file holds %lld more", recordSize, left);
}

class Walker {
public:
    Walker(const std::vector<uint8_t>& bytes, FileMap& map) : bytes_(bytes), map_(map) {}

    int64_t Size() const { return static_cast<int64_t>(bytes_.size()); }
    int64_t Left(int64_t at) const { return Size() - at; }
    const uint8_t* At(int64_t at) const { return bytes_.data() + at; }

    // Records the first fault only; returns false so callers can stop.
    bool Fault(const std::string& what, int64_t offset) {
        if (map_.fault.empty()) {
            map_.fault = what;
            map_.faultOffset = offset;
        }
        return false;
    }

    // Maps the ray that starts at `at`; `name` prefixes the fault texts.
    // On success `at` moves past its last record.
    bool Ray(int64_t& at, RayMap& ray, const std::string& name) {
        ray.offset = at;
        if (Left(at) < 4)
            return Fault(
                name + Format("the file ends inside the ray header (%lld of 4 bytes)", Left(at)),
                at);
        const uint16_t magic = LoadU16(At(at));
        if (magic != kRlsRayMagic)
            return Fault(name + Format("not a ray: magic 0x%04llX where 0xAE01 belongs", magic),
                         at);
        ray.count = LoadU16(At(at + 2));
        at += 4;
        ray.size = 4;
        for (int i = 0; i < ray.count; ++i) {
            const std::string sprite = name + Format("sprite %lld: ", i);
            if (Left(at) < kRLSpriteHeaderSize)
                return Fault(sprite + Format("the file ends inside the record header (%lld of 48 "
                                             "bytes)",
                                             Left(at)),
                             at);
            RecordMap record;
            record.offset = at;
            record.header = DecodeRLSpriteHeader(At(at));
            record.size = record.header.RecordSize();
            const RLSpriteHeaderCheck check =
                CheckRLSpriteHeader(record.header, Left(at) - kRLSpriteHeaderSize);
            if (!check.ok())
                return Fault(sprite + HeaderFault(check.fault, record.size, Left(at)),
                             at + check.fieldOffset);
            ray.records.push_back(record);
            at += record.size;
            ray.size = at - ray.offset;
        }
        return true;
    }

    void RayFile() {
        int64_t at = 0;
        if (!Ray(at, map_.ray, "")) return;
        if (at < Size()) Fault(Format("%lld bytes follow the last record", Size() - at), at);
    }

    void FamilyFile() {
        FamilyMap& family = map_.family;
        if (Left(0) < 6)
            return void(Fault(
                Format("the file ends inside the family header (%lld of 6 bytes)", Left(0)), 0));
        family.slotCount = LoadU16(At(2));
        family.textCount = LoadU16(At(4));
        if (family.slotCount > kRlsFamilyMaxSlots)
            return void(
                Fault(Format("%lld slots, at most %lld", family.slotCount, kRlsFamilyMaxSlots), 2));
        if (Left(6) < family.slotCount)
            return void(Fault(Format("the file ends inside the slot table (%lld of %lld bytes)",
                                     Left(6), family.slotCount),
                              6));
        family.table.assign(At(6), At(6) + family.slotCount);
        int next = 0;  // the number the next new ray must have
        for (int k = 0; k < family.slotCount; ++k) {
            const int entry = family.table[k];
            if (entry == kRlsHandledSlot) continue;
            if (entry > next)
                return void(Fault(
                    Format("slot %lld names ray %lld before ray %lld appears", k, entry, next),
                    6 + k));
            if (entry == next) ++next;
        }
        int64_t at = 6 + family.slotCount;
        for (int r = 0; r < next; ++r) {
            family.rays.emplace_back();
            if (!Ray(at, family.rays.back(), Format("ray %lld: ", r))) return;
        }
        family.textsOffset = at;
        for (int t = 0; t < family.textCount; ++t) {
            if (at >= Size())
                return void(Fault(
                    Format("the file ends before text %lld of %lld", t, family.textCount), at));
            std::string text;
            const int64_t start = at;
            while (at < Size() && bytes_[at] != 0)
                text.push_back(static_cast<char>(bytes_[at++] ^ kRlsTextMask));
            if (at < Size()) ++at;  // the zero byte; the end of the file also ends a text
            if (text.size() > static_cast<size_t>(kRlsFamilyMaxTextLength))
                return void(
                    Fault(Format("text %lld holds %lld characters, at most %lld", t,
                                 static_cast<long long>(text.size()), kRlsFamilyMaxTextLength),
                          start));
            family.texts.push_back(text);
        }
        if (at < Size())
            map_.notes.push_back(
                Format("%lld bytes follow the last text at byte %lld; a text "
                       "that held the letter k ends at the k",
                       Size() - at, at));
    }

private:
    const std::vector<uint8_t>& bytes_;
    FileMap& map_;
};

}  // namespace

int RaysCalledFor(const std::vector<uint8_t>& table) {
    int rays = 0;
    for (uint8_t entry : table)
        if (entry != kRlsHandledSlot && entry + 1 > rays) rays = entry + 1;
    return rays;
}

FileMap MapSpriteFile(const std::vector<uint8_t>& bytes) {
    FileMap map;
    map.size = static_cast<int64_t>(bytes.size());
    Walker walker(bytes, map);
    if (bytes.size() < 2) {
        walker.Fault("the file is too short to hold a magic number", 0);
        return map;
    }
    const uint16_t magic = LoadU16(bytes.data());
    if (magic == kRlsRayMagic) {
        map.kind = SpriteFileKind::kRay;
        walker.RayFile();
    } else if (magic == kRlsFamilyMagic) {
        map.kind = SpriteFileKind::kFamily;
        walker.FamilyFile();
    } else {
        walker.Fault(Format("unknown magic 0x%04llX: neither a ray (0xAE01) nor a family "
                            "(0xAE02)",
                            magic),
                     0);
    }
    return map;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}
