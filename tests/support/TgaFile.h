// Test helpers that write TGA files: the tests make every image they read.
//
// TgaLayout describes the 18 header bytes; EncodeTga stores an RGB image
// (top row first, 3 bytes per pixel) in the layout's depth and row order with
// the library's writer, and the raw header fields can be set to anything to
// build refused files.
#ifndef TESTS_SUPPORT_TGA_FILE_H
#define TESTS_SUPPORT_TGA_FILE_H

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <Vantrel/TgaWrite.h>

struct TgaLayout {
    uint8_t idLength = 0;
    uint8_t colourMapType = 0;
    uint8_t imageType = 2;
    uint8_t colourMapFields[5] = {0, 0, 0, 0, 0};
    uint16_t xOrigin = 0;
    uint16_t yOrigin = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t depth = 24;
    uint8_t descriptor = 0x20;  // top row first
};

inline std::vector<uint8_t> TgaHeaderBytes(const TgaLayout& t) {
    std::vector<uint8_t> h(18, 0);
    h[0] = t.idLength;
    h[1] = t.colourMapType;
    h[2] = t.imageType;
    for (int i = 0; i < 5; ++i) h[3 + i] = t.colourMapFields[i];
    const uint16_t fields[4] = {t.xOrigin, t.yOrigin, t.width, t.height};
    for (int i = 0; i < 4; ++i) {
        h[8 + 2 * i] = static_cast<uint8_t>(fields[i]);
        h[9 + 2 * i] = static_cast<uint8_t>(fields[i] >> 8);
    }
    h[16] = t.depth;
    h[17] = t.descriptor;
    return h;
}

// rgb: width x height pixels R, G, B, top row first, stored by the library's
// writer (TgaWrite.h) in the layout's depth and row order under the layout's
// own header bytes. Depth 8 stores the red byte as the grey value; depth 32
// stores fourth as the dropped byte (or a varying value when fourth is
// negative); any other depth stores three bytes a pixel, as 24 does.
inline std::vector<uint8_t> EncodeTga(const TgaLayout& t, const std::vector<uint8_t>& rgb,
                                      int fourth = 0xFF) {
    const TgaRowOrder order =
        (t.descriptor & 0x20) != 0 ? TgaRowOrder::TopFirst : TgaRowOrder::BottomFirst;
    const size_t pixels = static_cast<size_t>(t.width) * t.height;
    std::vector<uint8_t> bytes;
    if (t.depth == 8) {
        std::vector<uint8_t> grey(pixels);
        for (size_t p = 0; p < pixels; ++p) grey[p] = rgb[p * 3];
        bytes = EncodeTgaGrey(t.width, t.height, grey.data(), order);
    } else if (t.depth == 32) {
        std::vector<uint8_t> dropped(pixels);
        for (int y = 0; y < t.height; ++y) {
            const int stored = order == TgaRowOrder::TopFirst ? y : t.height - 1 - y;
            for (int x = 0; x < t.width; ++x) {
                dropped[static_cast<size_t>(y) * t.width + x] =
                    static_cast<uint8_t>(fourth >= 0 ? fourth : x * 7 + stored);
            }
        }
        bytes = EncodeTgaRgb(t.width, t.height, rgb.data(), order, dropped.data());
    } else {
        bytes = EncodeTgaRgb(t.width, t.height, rgb.data(), order);
    }
    const std::vector<uint8_t> header = TgaHeaderBytes(t);
    if (bytes.empty()) return header;  // a side of 0: the header alone
    for (size_t i = 0; i < header.size(); ++i) bytes[i] = header[i];
    return bytes;
}

inline std::vector<uint8_t> RandomRgb(int width, int height, uint32_t seed) {
    std::mt19937 generator(seed);
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (uint8_t& b : rgb) b = static_cast<uint8_t>(generator());
    return rgb;
}

// A folder of its own under the system's temporary folder, removed with
// everything in it when the object goes.
class ScratchFolder {
public:
    ScratchFolder() {
        // Random where the platform gives it, and the clock besides, so that
        // test programs running side by side never share a folder.
        static const unsigned long long run =
            std::random_device{}() ^
            static_cast<unsigned long long>(
                std::chrono::steady_clock::now().time_since_epoch().count());
        static int serial = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("vantrel-test-" + std::to_string(run) + "-" + std::to_string(++serial));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::string file = (path_ / name).string();
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return file;
    }
    std::string PathOf(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

#endif
