#include "TgaWriter.h"

#include <cstdio>

namespace {

// 18-byte header: no identification field, no colour map, origin (0, 0).
void AppendHeader(std::vector<uint8_t>& out, uint8_t imageType, int width, int height,
                  uint8_t depth, uint8_t descriptor) {
    const uint8_t header[18] = {0,
                                0,
                                imageType,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                static_cast<uint8_t>(width & 0xFF),
                                static_cast<uint8_t>(width >> 8),
                                static_cast<uint8_t>(height & 0xFF),
                                static_cast<uint8_t>(height >> 8),
                                depth,
                                descriptor};
    out.insert(out.end(), header, header + 18);
}

constexpr uint8_t kTopFirstBit = 0x20;

int StoredRow(int index, int height, TgaRowOrder order) {
    return order == TgaRowOrder::TopFirst ? index : height - 1 - index;
}

}  // namespace

std::vector<uint8_t> EncodeColourTga(int width, int height, const std::vector<uint8_t>& rgb,
                                     TgaRowOrder order, const std::vector<uint8_t>* extra) {
    const bool withExtra = extra != nullptr;
    std::vector<uint8_t> out;
    uint8_t descriptor = order == TgaRowOrder::TopFirst ? kTopFirstBit : 0;
    if (withExtra) descriptor |= 8;  // eight attribute bits per pixel
    AppendHeader(out, 2, width, height, withExtra ? 32 : 24, descriptor);
    out.reserve(out.size() + static_cast<size_t>(width) * height * (withExtra ? 4 : 3));
    for (int i = 0; i < height; ++i) {
        const size_t row = static_cast<size_t>(StoredRow(i, height, order)) * width;
        for (int x = 0; x < width; ++x) {
            const size_t p = row + x;
            out.push_back(rgb[p * 3 + 2]);
            out.push_back(rgb[p * 3 + 1]);
            out.push_back(rgb[p * 3]);
            if (withExtra) out.push_back((*extra)[p]);
        }
    }
    return out;
}

std::vector<uint8_t> EncodeGreyTga(int width, int height, const std::vector<uint8_t>& grey,
                                   TgaRowOrder order) {
    std::vector<uint8_t> out;
    AppendHeader(out, 3, width, height, 8, order == TgaRowOrder::TopFirst ? kTopFirstBit : 0);
    for (int i = 0; i < height; ++i) {
        const size_t row = static_cast<size_t>(StoredRow(i, height, order)) * width;
        out.insert(out.end(), grey.begin() + static_cast<std::ptrdiff_t>(row),
                   grey.begin() + static_cast<std::ptrdiff_t>(row + width));
    }
    return out;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (written && closed) return true;
    std::remove(path.c_str());
    return false;
}

bool WriteColourTga(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb,
                    TgaRowOrder order, const std::vector<uint8_t>* extra) {
    return WriteFileBytes(path, EncodeColourTga(width, height, rgb, order, extra));
}

bool WriteGreyTga(const std::string& path, int width, int height, const std::vector<uint8_t>& grey,
                  TgaRowOrder order) {
    return WriteFileBytes(path, EncodeGreyTga(width, height, grey, order));
}
