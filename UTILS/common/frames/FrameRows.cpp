#include "frames/FrameRows.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

#include "frames/FramePixels.h"
#include "frames/FrameRowsSimd.h"

namespace frame_rows {

namespace {

inline void SetBit(uint64_t* mask, int32_t i) {
    mask[i / 64] |= uint64_t{1} << (i % 64);
}

inline void ClearMask(uint64_t* mask, int32_t count) {
    std::fill_n(mask, MaskWords(count), uint64_t{0});
}

// Moves the count bits at the bottom of mask up by shift bits and clears the
// bits below them. Words are written from the top down, so every word is read
// before it is overwritten.
void ShiftBitsUp(uint64_t* mask, int32_t count, int32_t shift) {
    const int32_t sourceWords = (count + 63) / 64;
    const int32_t wordShift = shift / 64;
    const int bitShift = shift % 64;
    const auto source = [&](int32_t k) { return k >= 0 && k < sourceWords ? mask[k] : 0; };
    for (int32_t d = (count + shift + 63) / 64 - 1; d >= 0; --d) {
        const int32_t k = d - wordShift;
        uint64_t word = source(k) << bitShift;
        if (bitShift != 0) word |= source(k - 1) >> (64 - bitShift);
        mask[d] = word;
    }
}

// Eight 0/1 bytes for every value of eight bits, lowest bit first.
constexpr std::array<std::array<uint8_t, 8>, 256> kBitBytes = [] {
    std::array<std::array<uint8_t, 8>, 256> table{};
    for (int b = 0; b < 256; ++b)
        for (int j = 0; j < 8; ++j) table[b][j] = static_cast<uint8_t>((b >> j) & 1);
    return table;
}();

}  // namespace

void RgbRowValues(const uint8_t* rgb, int32_t count, Pixel16* values, uint64_t* lit) {
    ClearMask(lit, count);
    int32_t i = RgbRowValuesSimd(rgb, count, values, lit);
    for (const uint8_t* p = rgb + 3 * static_cast<ptrdiff_t>(i); i < count; ++i, p += 3) {
        values[i] = frame_pixels::ValueOfChannels(p[0], p[1], p[2]);
        if ((p[0] | p[1] | p[2]) != 0) SetBit(lit, i);
    }
}

void RgbRowMasks(const uint8_t* rgb, int32_t count, uint64_t* lit, uint64_t* white) {
    ClearMask(lit, count);
    ClearMask(white, count);
    int32_t i = RgbRowMasksSimd(rgb, count, lit, white);
    for (const uint8_t* p = rgb + 3 * static_cast<ptrdiff_t>(i); i < count; ++i, p += 3) {
        if ((p[0] | p[1] | p[2]) != 0) SetBit(lit, i);
        if ((p[0] & p[1] & p[2]) == 255) SetBit(white, i);
    }
}

void ImageRowValues(const FrameImage& image, int32_t y, int32_t from, int32_t count,
                    Pixel16* values, uint64_t* lit) {
    ClearMask(lit, count);
    const int32_t first = std::max(from, 0);
    const int32_t last = std::min(from + count - 1, image.width - 1);
    if (image.pixels == nullptr || y < 0 || y >= image.height || first > last) {
        std::fill_n(values, count, Pixel16{0});
        return;
    }
    const int32_t skipped = first - from;
    const int32_t inside = last - first + 1;
    std::fill_n(values, skipped, Pixel16{0});
    std::fill_n(values + skipped + inside, count - skipped - inside, Pixel16{0});
    const uint8_t* row = frame_pixels::PixelAt(image, first, y);
    if (skipped == 0) {
        RgbRowValues(row, inside, values, lit);
        return;
    }
    RgbRowValues(row, inside, values + skipped, lit);
    ShiftBitsUp(lit, inside, skipped);
}

void BitsToBytes(const uint64_t* bits, int32_t count, uint8_t* kinds) {
    int32_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const auto eight = static_cast<uint8_t>(bits[i / 64] >> (i % 64));
        std::memcpy(kinds + i, kBitBytes[eight].data(), 8);
    }
    for (; i < count; ++i) kinds[i] = static_cast<uint8_t>((bits[i / 64] >> (i % 64)) & 1);
}

}  // namespace frame_rows
