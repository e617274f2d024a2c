#include "Assets.h"

#include <algorithm>
#include <cstring>

namespace {

bool EndsWith(const std::string& name, const char* ending) {
    const size_t n = std::strlen(ending);
    return name.size() >= n && name.compare(name.size() - n, n, ending) == 0;
}

// An entry's bytes handed out through the loaders' reader callbacks, a few at
// a time, as a game's archive reader would.
struct EntryReader {
    const uint8_t* data;
    size_t size;
    size_t position = 0;
};

int ReadEntry(void* user, char* data, int size) {
    auto& reader = *static_cast<EntryReader*>(user);
    const size_t n = std::min(reader.size - reader.position, static_cast<size_t>(size));
    std::memcpy(data, reader.data + reader.position, n);
    reader.position += n;
    return static_cast<int>(n);
}

void SkipEntry(void* user, int count) {
    auto& reader = *static_cast<EntryReader*>(user);
    reader.position += std::min(reader.size - reader.position, static_cast<size_t>(count));
}

int EntryEnded(void* user) {
    const auto& reader = *static_cast<const EntryReader*>(user);
    return reader.position == reader.size ? 1 : 0;
}

constexpr vantrel::ReadCallbacks kEntryCallbacks{ReadEntry, SkipEntry, EntryEnded};

vantrel::RlsRayPtr LoadRay(const PackEntry& entry, int32_t pitch, LoadFrom from,
                           vantrel::LoadError& error) {
    if (from == LoadFrom::Memory) return vantrel::TryLoadRay(entry.data, entry.size, pitch, error);
    EntryReader reader{entry.data, entry.size};
    return vantrel::TryLoadRay(kEntryCallbacks, &reader, pitch, error);
}

vantrel::RlsFamilyPtr LoadFamily(const PackEntry& entry, int32_t pitch, LoadFrom from,
                                 vantrel::LoadError& error) {
    if (from == LoadFrom::Memory)
        return vantrel::TryLoadFamily(entry.data, entry.size, pitch, error);
    EntryReader reader{entry.data, entry.size};
    return vantrel::TryLoadFamily(kEntryCallbacks, &reader, pitch, error);
}

// The first sprite of a ray, if it has one.
const RLSprite* FirstSprite(const RlsRay* ray) {
    return ray != nullptr ? ray->Get(0) : nullptr;
}

std::string Describe(const RlsFamily& family) {
    // The slots are the file's slotCount; family.rays may hold more entries.
    int32_t filled = 0;
    for (int32_t k = 0; k < family.slotCount; ++k) filled += family.Slot(k) != nullptr ? 1 : 0;
    std::string text = "family of " + std::to_string(family.slotCount) + " slots, " +
                       std::to_string(filled) + " filled";
    for (int32_t t = 0; t < family.texts.Count(); ++t)
        text += std::string(t == 0 ? "; " : ", ") + "\"" + family.texts.Get(t) + "\"";
    return text;
}

// Why an entry did not load: the loader's own text, the entry and the byte.
std::string Reason(const std::string& message, const std::string& name, int64_t offset) {
    std::string where = "pack entry " + name;
    if (offset >= 0) where += ", byte " + std::to_string(offset);
    return "placeholder: " + message + " (" + where + ")";
}

Asset LoadAsset(const PackEntry& entry, int32_t pitch, LoadFrom from) {
    Asset asset;
    asset.name = entry.name;
    vantrel::LoadError error;
    if (EndsWith(entry.name, ".sh")) {
        asset.ray = LoadRay(entry, pitch, from, error);
        if (asset.ray != nullptr) {
            asset.sprite = FirstSprite(asset.ray.get());
            asset.description = "ray of " + std::to_string(asset.ray->count) + " sprites";
        }
    } else if (EndsWith(entry.name, ".shp")) {
        asset.family = LoadFamily(entry, pitch, from, error);
        if (asset.family != nullptr) {
            for (int32_t k = 0; k < asset.family->slotCount && asset.sprite == nullptr; ++k)
                asset.sprite = FirstSprite(asset.family->Slot(k));
            asset.description = Describe(*asset.family);
        }
    } else {
        error.message = "not a .sh or .shp file";
    }
    if (!error.message.empty()) asset.description = Reason(error.message, entry.name, error.offset);
    return asset;
}

}  // namespace

std::vector<Asset> LoadAssets(const std::vector<PackEntry>& entries, int32_t pitch, LoadFrom from) {
    std::vector<Asset> assets;
    for (const PackEntry& entry : entries) assets.push_back(LoadAsset(entry, pitch, from));
    return assets;
}

Asset DamagedPack(const PackContents& contents) {
    Asset asset;
    asset.name = "(the rest of the pack)";
    asset.description = "placeholder: " + contents.fault + " (pack, byte " +
                        std::to_string(contents.faultOffset) + ")";
    return asset;
}
