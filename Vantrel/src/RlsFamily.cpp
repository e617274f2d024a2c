#include <string>

#include <Vantrel/ByteIO.h>
#include <Vantrel/DebugAlloc.h>
#include <Vantrel/Fatal.h>
#include <Vantrel/Rls.h>
#include "LoadDecoders.h"

namespace {

constexpr const char* kSource = "Vantrel\\Rls";

constexpr const char* kReadFault = "RlsFamily: Unable to read file";
constexpr const char* kMemoryFault = "RlsFamily: Unable to allocate memory";

bool LoadRays(RlsFamily& family, uint8_t* table, int slots, ByteSource& source, int32_t pitch,
              LoadFault& fault) {
    // Every slot exists before the first ray is loaded, so handing a ray to
    // its slots cannot fail half-way and lose it.
    if (slots > family.rays.Size() && !family.rays.Set(slots - 1, nullptr)) {
        Refuse(fault, kMemoryFault, -1);
        return false;
    }
    for (int p = 0; p < slots; ++p) {
        if (table[p] == kRlsHandledSlot) continue;
        const uint8_t number = table[p];
        RlsRay* ray = DecodeRlsRay(source, pitch, fault).release();
        if (ray == nullptr) return false;
        for (int i = 0; i < slots; ++i) {
            if (table[i] == number) {
                family.rays.Set(i, ray);
                table[i] = kRlsHandledSlot;
            }
        }
    }
    return true;
}

// One text: bytes up to a zero byte or the end of the data (atEnd), unmasked.
bool LoadText(RlsFamily& family, ByteSource& source, LoadFault& fault, bool& atEnd) {
    const int64_t start = source.Offset();
    char text[kRlsFamilyMaxTextLength + 1];
    int length = 0;
    int c = source.ReadByte();
    for (; c > 0; c = source.ReadByte()) {
        if (length == kRlsFamilyMaxTextLength) {
            Refuse(fault, "RlsFamily: Text too long", start);
            return false;
        }
        text[length++] = static_cast<char>(c ^ kRlsTextMask);
    }
    text[length] = '\0';
    atEnd = c < 0;
    char* copy = DebugStrdup(text, kSource, __LINE__);
    if (copy == nullptr || family.texts.Add(copy) < 0) {
        DebugFree(copy);
        Refuse(fault, kMemoryFault, -1);
        return false;
    }
    return true;
}

bool LoadTexts(RlsFamily& family, int textCount, ByteSource& source, LoadFault& fault) {
    const int64_t textsAt = source.Offset();
    // Every text but the last ends with a zero byte.
    RoomCheck room;
    if (!room.Begin(source, textCount > 1 ? static_cast<uint64_t>(textCount - 1) : 0)) {
        Refuse(fault, kReadFault, textsAt);
        return false;
    }
    // A source that could not tell its size is refused as one that could
    // would have been, whether its texts loaded or not; at the end of its
    // data at the latest, so that a lying count makes no more empty texts.
    bool loaded = true;
    bool atEnd = false;
    for (int t = 0; loaded && t < textCount && !(atEnd && !room.Held(source)); ++t) {
        loaded = LoadText(family, source, fault, atEnd);
    }
    if (!room.Held(source)) {
        Refuse(fault, kReadFault, textsAt);
        return false;
    }
    return loaded;
}

}  // namespace

RlsFamily::~RlsFamily() {
    for (int32_t k = 0; k < rays.Size(); ++k) {
        RlsRay* ray = rays.Get(k);
        if (ray == nullptr) continue;
        for (int32_t later = k + 1; later < rays.Size(); ++later) {
            if (rays.Get(later) == ray) rays.Set(later, nullptr);
        }
        delete ray;
        rays.Set(k, nullptr);
    }
    for (int32_t i = 0; i < texts.Count(); ++i) DebugFree(texts.Get(i));
    texts.Clear();
}

RlsFamilyPtr DecodeRlsFamily(ByteSource& source, int32_t pitch, LoadFault& fault) {
    RlsFamilyPtr family(new (std::nothrow) RlsFamily);
    if (!family) return Refuse(fault, kMemoryFault, -1);

    const int64_t magicAt = source.Offset();
    uint16_t magic = 0;
    if (!source.ReadU16(magic)) {
        return Refuse(fault, "RlsFamilyLoad: Unable to read file", magicAt);
    }
    if (magic != kRlsFamilyMagic) {
        return Refuse(fault, "RlsFamilyLoad: Not a RlsFamily file", magicAt);
    }
    uint16_t slots = 0;
    uint16_t textCount = 0;
    const int64_t slotsAt = source.Offset();
    if (!source.ReadU16(slots)) return Refuse(fault, kReadFault, slotsAt);
    if (!source.ReadU16(textCount)) return Refuse(fault, kReadFault, slotsAt + 2);
    if (slots > kRlsFamilyMaxSlots) return Refuse(fault, "RlsFamily: Too many slots", slotsAt);
    const int64_t tableAt = source.Offset();
    uint8_t table[kRlsFamilyMaxSlots];
    if (!source.Read(table, slots)) return Refuse(fault, kReadFault, tableAt);
    family->slotCount = slots;

    if (!LoadRays(*family, table, slots, source, pitch, fault) ||
        !LoadTexts(*family, textCount, source, fault)) {
        return nullptr;
    }
    return family;
}

void BindLoaded(RlsFamily& family, int32_t pitch) {
    // Slots that share a ray hold the same pointer: each ray is bound once,
    // in the first slot that holds it.
    for (int32_t k = 0; k < family.rays.Size(); ++k) {
        RlsRay* ray = family.rays.Get(k);
        bool seen = false;
        for (int32_t earlier = 0; ray != nullptr && !seen && earlier < k; ++earlier) {
            seen = family.rays.Get(earlier) == ray;
        }
        if (ray != nullptr && !seen) BindLoaded(*ray, pitch);
    }
}

RlsFamily* RlsFamilyLoad(const char* path, int32_t pitch, std::FILE* stream) {
    return LoadOrReport(DecodeRlsFamily, kRlsFamilyOpenFault, path, pitch, stream).release();
}
