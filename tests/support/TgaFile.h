// Test helpers that write TGA files: the tests make every image they read.
//
// TgaLayout describes the 18 header bytes; EncodeTga stores an RGB image
// (top row first, 3 bytes per pixel) in the layout's depth and row order, and
// the raw header fields can be set to anything to build refused files.
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
    std::vector<uint8_t> h = {t.idLength, t.colourMapType, t.imageType};
    h.insert(h.end(), t.colourMapFields, t.colourMapFields + 5);
    for (uint16_t v : {t.xOrigin, t.yOrigin, t.width, t.height}) {
        h.push_back(static_cast<uint8_t>(v));
        h.push_back(static_cast<uint8_t>(v >> 8));
    }
    h.push_back(t.depth);
    h.push_back(t.descriptor);
    return h;
}

// rgb: width x height pixels R, G, B, top row first. Depth 8 stores the red
// byte as the grey value; depth 32 stores fourth as the dropped byte (or a
// varying value when fourth is negative).
inline std::vector<uint8_t> EncodeTga(const TgaLayout& t, const std::vector<uint8_t>& rgb,
                                      int fourth = 0xFF) {
    std::vector<uint8_t> bytes = TgaHeaderBytes(t);
    bool topFirst = (t.descriptor & 0x20) != 0;
    for (int stored = 0; stored < t.height; ++stored) {
        int row = topFirst ? stored : t.height - 1 - stored;
        for (int x = 0; x < t.width; ++x) {
            const uint8_t* p = &rgb[(static_cast<size_t>(row) * t.width + x) * 3];
            if (t.depth == 8) {
                bytes.push_back(p[0]);
                continue;
            }
            bytes.insert(bytes.end(), {p[2], p[1], p[0]});
            if (t.depth == 32)
                bytes.push_back(static_cast<uint8_t>(fourth >= 0 ? fourth : x * 7 + stored));
        }
    }
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
