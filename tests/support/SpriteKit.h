// Helpers of the sprite tests: pictures of pixel codes for the encoder,
// scratch streams, and encoded sprites that release their buffers.
#ifndef TESTS_SUPPORT_SPRITE_KIT_H
#define TESTS_SUPPORT_SPRITE_KIT_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <Vantrel/RLSprite.h>
#include <Vantrel/RLSpriteEncode.h>
#include "support/ScratchStream.h"

// A picture given by the encoder's pixel codes (RLSpriteEncode.h), all
// transparent until set, as an encoder source: the encoder's tests need no
// pixel rules. Pixels outside the grid are transparent.
class CodeGrid {
public:
    CodeGrid(int32_t width, int32_t height)
        : width_(width), height_(height), codes_(static_cast<size_t>(width) * height) {}

    void Set(int32_t x, int32_t y, uint32_t code) {
        codes_[static_cast<size_t>(y) * width_ + x] = code;
    }
    void Fill(uint32_t code) { std::fill(codes_.begin(), codes_.end(), code); }
    RLSpriteSource Source() const { return RLSpriteSource{this, &Classify}; }

private:
    static void Classify(const void* context, int32_t y, int32_t left, int32_t right,
                         Pixel16* values, uint8_t* kinds) {
        const auto& grid = *static_cast<const CodeGrid*>(context);
        for (int32_t x = left; x <= right; ++x) {
            const bool inside = x >= 0 && y >= 0 && x < grid.width_ && y < grid.height_;
            const uint32_t code = inside ? grid.codes_[static_cast<size_t>(y) * grid.width_ + x]
                                         : kTransparentPixelCode;
            values[x - left] = PixelCodeValue(code);
            kinds[x - left] = PixelCodeKind(code);
        }
    }

    int32_t width_;
    int32_t height_;
    std::vector<uint32_t> codes_;
};

// A stream holding exactly these bytes, positioned at the start.
inline Stream StreamOf(const std::vector<uint8_t>& bytes) {
    Stream s = ScratchStream();
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), s.get());
    std::rewind(s.get());
    return s;
}

inline std::vector<uint8_t> ContentsOf(std::FILE* stream) {
    std::vector<uint8_t> bytes;
    std::rewind(stream);
    for (int c = std::fgetc(stream); c != EOF; c = std::fgetc(stream)) {
        bytes.push_back(static_cast<uint8_t>(c));
    }
    return bytes;
}

// Encoded sprite that releases its buffers when the test ends.
struct EncodedSprite {
    RLSprite sprite;
    EncodedSprite() = default;
    EncodedSprite(const EncodedSprite&) = delete;
    EncodedSprite& operator=(const EncodedSprite&) = delete;
    ~EncodedSprite() { ReleaseRLSpriteData(sprite); }
};

#endif
