#include <string>

#include <Vantrel/ByteIO.h>
#include <Vantrel/DebugAlloc.h>
#include <Vantrel/Fatal.h>
#include <Vantrel/Rls.h>

namespace {

constexpr const char* kSource = "Vantrel\\Rls";

void LoadRays(RlsFamily& family, uint8_t* table, int slots, const char* path, int32_t pitch,
              std::FILE* stream) {
    // Every slot exists before the first ray is loaded, so handing a ray to
    // its slots cannot fail half-way and lose it.
    if (slots > family.rays.Size() && !family.rays.Set(slots - 1, nullptr)) {
        ReportFatal("RlsFamily: Unable to allocate memory");
    }
    for (int p = 0; p < slots; ++p) {
        if (table[p] == kRlsHandledSlot) continue;
        const uint8_t number = table[p];
        RlsRay* ray = LoadRlsRay(path, pitch, stream);
        for (int i = 0; i < slots; ++i) {
            if (table[i] == number) {
                family.rays.Set(i, ray);
                table[i] = kRlsHandledSlot;
            }
        }
    }
}

void LoadTexts(RlsFamily& family, int textCount, std::FILE* stream) {
    // Every text but the last ends with a zero byte.
    if (textCount > 1 &&
        RoomFor(stream, static_cast<uint64_t>(textCount - 1)) == StreamRoom::kShort) {
        ReportFatal("RlsFamily: Unable to read file");
    }
    char text[kRlsFamilyMaxTextLength + 1];
    for (int t = 0; t < textCount; ++t) {
        int length = 0;
        for (int c = std::fgetc(stream); c != EOF && c != 0; c = std::fgetc(stream)) {
            if (length == kRlsFamilyMaxTextLength) ReportFatal("RlsFamily: Text too long");
            text[length++] = static_cast<char>(c ^ kRlsTextMask);
        }
        text[length] = '\0';
        char* copy = DebugStrdup(text, kSource, __LINE__);
        if (copy == nullptr || family.texts.Add(copy) < 0) {
            DebugFree(copy);
            ReportFatal("RlsFamily: Unable to allocate memory");
        }
    }
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

RlsFamily* RlsFamilyLoad(const char* path, int32_t pitch, std::FILE* stream) {
    StreamInUse file(path, stream, "rb");
    if (!file) ReportFatal("RlsFamily: Unable to open file");
    stream = file.get();
    RlsFamilyPtr family(new (std::nothrow) RlsFamily);
    if (!family) ReportFatal("RlsFamily: Unable to allocate memory");

    uint16_t magic = 0;
    if (!ReadU16(stream, magic)) ReportFatal("RlsFamilyLoad: Unable to read file");
    if (magic != kRlsFamilyMagic) ReportFatal("RlsFamilyLoad: Not a RlsFamily file");
    uint16_t slots = 0;
    uint16_t textCount = 0;
    if (!ReadU16(stream, slots) || !ReadU16(stream, textCount)) {
        ReportFatal("RlsFamily: Unable to read file");
    }
    if (slots > kRlsFamilyMaxSlots) ReportFatal("RlsFamily: Too many slots");
    uint8_t table[kRlsFamilyMaxSlots];
    if (!ReadBytes(stream, table, slots)) ReportFatal("RlsFamily: Unable to read file");

    LoadRays(*family, table, slots, path, pitch, stream);
    LoadTexts(*family, textCount, stream);
    return family.release();
}
