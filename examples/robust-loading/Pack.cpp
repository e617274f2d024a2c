#include "Pack.h"

namespace {

constexpr char kMagic[4] = {'V', 'P', 'A', 'K'};

void PutU16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

uint32_t GetU16(const uint8_t* p) {
    return static_cast<uint32_t>(p[0] | (p[1] << 8));
}

uint32_t GetU32(const uint8_t* p) {
    return GetU16(p) | (GetU16(p + 2) << 16);
}

}  // namespace

std::vector<uint8_t> BuildPack(const std::vector<PackFile>& files) {
    std::vector<uint8_t> pack(kMagic, kMagic + 4);
    PutU32(pack, static_cast<uint32_t>(files.size()));
    for (const PackFile& file : files) {
        PutU16(pack, static_cast<uint32_t>(file.name.size()));
        pack.insert(pack.end(), file.name.begin(), file.name.end());
        PutU32(pack, static_cast<uint32_t>(file.bytes.size()));
        pack.insert(pack.end(), file.bytes.begin(), file.bytes.end());
    }
    return pack;
}

PackContents ReadPack(const uint8_t* pack, size_t size) {
    PackContents contents;
    auto refuse = [&contents](const std::string& fault, size_t at) {
        contents.fault = fault;
        contents.faultOffset = at;
        return contents;
    };
    if (size < 8 || std::string(pack, pack + 4) != std::string(kMagic, 4))
        return refuse("not a pack (no VPAK header)", 0);
    const uint32_t count = GetU32(pack + 4);
    size_t at = 8;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t start = at;
        const std::string which = "entry " + std::to_string(i + 1) + " of " + std::to_string(count);
        if (size - at < 2) return refuse(which + ": the pack ends inside it", start);
        const size_t nameLength = GetU16(pack + at);
        at += 2;
        if (nameLength == 0) return refuse(which + ": no name", start);
        if (size - at < nameLength + 4) return refuse(which + ": the pack ends inside it", start);
        PackEntry entry;
        entry.name.assign(pack + at, pack + at + nameLength);
        at += nameLength;
        entry.size = GetU32(pack + at);
        at += 4;
        if (size - at < entry.size)
            return refuse(which + " (" + entry.name + "): the pack ends inside its data", start);
        entry.data = pack + at;
        at += entry.size;
        contents.entries.push_back(entry);
    }
    return contents;
}
