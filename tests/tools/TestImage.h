// A 24-bit picture painted in memory for the tools' tests: width x height
// pixels of R, G, B, rows top to bottom, all black until painted.
#ifndef TESTS_TOOLS_TEST_IMAGE_H
#define TESTS_TOOLS_TEST_IMAGE_H

#include <cstdint>
#include <vector>

#include "frames/FrameImage.h"

class TestImage {
public:
    TestImage(int32_t width, int32_t height)
        : width_(width), height_(height), bytes_(static_cast<size_t>(width * height) * 3, 0) {}

    void Set(int32_t x, int32_t y, uint32_t colour) {
        uint8_t* p = &bytes_[static_cast<size_t>(x + y * width_) * 3];
        p[0] = static_cast<uint8_t>(colour >> 16);
        p[1] = static_cast<uint8_t>(colour >> 8);
        p[2] = static_cast<uint8_t>(colour);
    }
    void Fill(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colour) {
        for (int32_t y = top; y <= bottom; ++y)
            for (int32_t x = left; x <= right; ++x) Set(x, y, colour);
    }
    uint32_t Get(int32_t x, int32_t y) const {
        const uint8_t* p = &bytes_[static_cast<size_t>(x + y * width_) * 3];
        return (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
    }
    FrameImage View() { return FrameImage{bytes_.data(), width_, height_}; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }

private:
    int32_t width_;
    int32_t height_;
    std::vector<uint8_t> bytes_;
};

#endif
