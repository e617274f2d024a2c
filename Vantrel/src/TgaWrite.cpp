#include <Vantrel/TgaWrite.h>

#include <cstdio>

#include <Vantrel/ByteIO.h>

namespace {

constexpr uint8_t kTopFirstBit = 0x20;
constexpr uint8_t kEightAttributeBits = 0x08;
constexpr size_t kHeaderSize = 18;

bool Fits(int32_t width, int32_t height) {
    return width >= 1 && height >= 1 && width <= 65535 && height <= 65535;
}

// The 18 header bytes: no identification field, no colour map, origin (0, 0).
std::vector<uint8_t> Header(uint8_t imageType, int32_t width, int32_t height, uint8_t depth,
                            uint8_t descriptor) {
    std::vector<uint8_t> out(kHeaderSize, 0);
    out[2] = imageType;
    StoreU16(out.data() + 12, static_cast<uint16_t>(width));
    StoreU16(out.data() + 14, static_cast<uint16_t>(height));
    out[16] = depth;
    out[17] = descriptor;
    return out;
}

// The picture row stored at position index.
size_t StoredRow(int32_t index, int32_t height, TgaRowOrder order) {
    return static_cast<size_t>(order == TgaRowOrder::TopFirst ? index : height - 1 - index);
}

}  // namespace

std::vector<uint8_t> EncodeTgaRgb(int32_t width, int32_t height, const uint8_t* rgb,
                                  TgaRowOrder order, const uint8_t* fourth) {
    if (!Fits(width, height)) return {};
    uint8_t descriptor = order == TgaRowOrder::TopFirst ? kTopFirstBit : 0;
    if (fourth != nullptr) descriptor |= kEightAttributeBits;
    std::vector<uint8_t> out = Header(2, width, height, fourth != nullptr ? 32 : 24, descriptor);
    out.reserve(kHeaderSize +
                static_cast<size_t>(width) * static_cast<size_t>(height) * (fourth ? 4 : 3));
    for (int32_t i = 0; i < height; ++i) {
        const size_t row = StoredRow(i, height, order) * static_cast<size_t>(width);
        for (int32_t x = 0; x < width; ++x) {
            const size_t p = row + static_cast<size_t>(x);
            out.push_back(rgb[p * 3 + 2]);
            out.push_back(rgb[p * 3 + 1]);
            out.push_back(rgb[p * 3]);
            if (fourth != nullptr) out.push_back(fourth[p]);
        }
    }
    return out;
}

std::vector<uint8_t> EncodeTgaGrey(int32_t width, int32_t height, const uint8_t* grey,
                                   TgaRowOrder order) {
    if (!Fits(width, height)) return {};
    std::vector<uint8_t> out =
        Header(3, width, height, 8, order == TgaRowOrder::TopFirst ? kTopFirstBit : 0);
    for (int32_t i = 0; i < height; ++i) {
        const uint8_t* row = grey + StoredRow(i, height, order) * static_cast<size_t>(width);
        out.insert(out.end(), row, row + width);
    }
    return out;
}

bool WriteTgaFile(const char* path, const std::vector<uint8_t>& bytes) {
    if (bytes.empty()) return false;
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    const bool written = WriteBytes(file, bytes.data(), bytes.size());
    const bool closed = std::fclose(file) == 0;
    if (written && closed) return true;
    std::remove(path);
    return false;
}
