#include "TgaOut.h"

#include <cstdio>

#include <Vantrel/ByteIO.h>

bool WriteTga24(const std::string& path, const Picture& picture) {
    if (picture.width < 1 || picture.height < 1 || picture.width > 65535 || picture.height > 65535)
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    uint8_t header[18] = {0, 0, 2};
    StoreU16(header + 12, static_cast<uint16_t>(picture.width));
    StoreU16(header + 14, static_cast<uint16_t>(picture.height));
    header[16] = 24;
    header[17] = 0x20;  // top row first
    bool ok = WriteBytes(file, header, sizeof header);
    std::vector<uint8_t> row(static_cast<size_t>(picture.width) * 3);
    for (int32_t y = 0; ok && y < picture.height; ++y) {
        const uint8_t* rgb = &picture.rgb[static_cast<size_t>(y) * picture.width * 3];
        for (int32_t x = 0; x < picture.width; ++x) {
            row[x * 3 + 0] = rgb[x * 3 + 2];
            row[x * 3 + 1] = rgb[x * 3 + 1];
            row[x * 3 + 2] = rgb[x * 3 + 0];
        }
        ok = WriteBytes(file, row.data(), row.size());
    }
    return std::fclose(file) == 0 && ok;
}
