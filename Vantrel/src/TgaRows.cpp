#include "TgaRows.h"

#include "TgaRowsSimd.h"

#include <bit>
#include <cstring>

namespace {

constexpr bool kLittleEndian = std::endian::native == std::endian::little;

template <typename Word>
Word Load(const uint8_t* p) {
    Word word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

template <typename Word>
void Store(uint8_t* p, Word word) {
    std::memcpy(p, &word, sizeof word);
}

// Eight 24-bit pixels are three 64-bit words. Output byte i takes input byte
// i + 2 when i mod 3 is 0 (blue's place gets red), i when it is 1 (green),
// i - 2 when it is 2; a byte whose partner lies in the neighbouring word
// comes from that word. Byte masks per word, for i mod 3 = 0, 1, 2:
//     word 0 (bytes 0..7):   0 3 6 | 1 4 7 | 2 5
//     word 1 (bytes 8..15):  1 4 7 | 2 5   | 0 3 6
//     word 2 (bytes 16..23): 2 5   | 0 3 6 | 1 4 7
constexpr uint64_t kBytes036 = 0x00FF0000FF0000FFull;
constexpr uint64_t kBytes147 = 0xFF0000FF0000FF00ull;
constexpr uint64_t kBytes25 = 0x0000FF0000FF0000ull;

struct EightPixels {
    uint64_t w0, w1, w2;
};

EightPixels LoadEight(const uint8_t* p) {
    return {Load<uint64_t>(p), Load<uint64_t>(p + 8), Load<uint64_t>(p + 16)};
}

EightPixels SwapEight(const EightPixels& in) {
    const uint64_t w0 = in.w0, w1 = in.w1, w2 = in.w2;
    const uint64_t up0 = (w0 >> 16) | (w1 << 48), up1 = (w1 >> 16) | (w2 << 48), up2 = w2 >> 16;
    const uint64_t down0 = w0 << 16, down1 = (w1 << 16) | (w0 >> 48),
                   down2 = (w2 << 16) | (w1 >> 48);
    return {(up0 & kBytes036) | (w0 & kBytes147) | (down0 & kBytes25),
            (up1 & kBytes147) | (w1 & kBytes25) | (down1 & kBytes036),
            (up2 & kBytes25) | (w2 & kBytes036) | (down2 & kBytes147)};
}

void StoreEight(uint8_t* p, const EightPixels& out) {
    Store(p, out.w0);
    Store(p + 8, out.w1);
    Store(p + 16, out.w2);
}

constexpr uint32_t ByteSwap32(uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

void SwapOne(uint8_t* p) {
    uint8_t b = p[0];
    p[0] = p[2];
    p[2] = b;
}

}  // namespace

void SwapBgrPixels(uint8_t* pixels, int64_t count) {
    int64_t i = SwapBgrPixelsSimd(pixels, count);
    pixels += i * 3;
    if constexpr (kLittleEndian) {
        for (; i + 8 <= count; i += 8, pixels += 24)
            StoreEight(pixels, SwapEight(LoadEight(pixels)));
    }
    for (; i < count; ++i, pixels += 3) SwapOne(pixels);
}

void SwapBgrRows(uint8_t* a, uint8_t* b, int64_t count) {
    int64_t i = SwapBgrRowsSimd(a, b, count);
    a += i * 3;
    b += i * 3;
    if constexpr (kLittleEndian) {
        for (; i + 8 <= count; i += 8, a += 24, b += 24) {
            EightPixels fromA = LoadEight(a), fromB = LoadEight(b);
            StoreEight(a, SwapEight(fromB));
            StoreEight(b, SwapEight(fromA));
        }
    }
    for (; i < count; ++i, a += 3, b += 3) {
        uint8_t a0 = a[0], a1 = a[1], a2 = a[2];
        a[0] = b[2], a[1] = b[1], a[2] = b[0];
        b[0] = a2, b[1] = a1, b[2] = a0;
    }
}

void ConvertBgrxPixels(const uint8_t* in, uint8_t* out, int64_t count) {
    int64_t i = ConvertBgrxPixelsSimd(in, out, count);
    in += i * 4;
    out += i * 3;
    if constexpr (kLittleEndian) {
        // Each word byte-reversed and shifted holds R, G, B in its low three
        // bytes; four of them pack into three words.
        for (; i + 4 <= count; i += 4, in += 16, out += 12) {
            uint32_t p0 = ByteSwap32(Load<uint32_t>(in)) >> 8;
            uint32_t p1 = ByteSwap32(Load<uint32_t>(in + 4)) >> 8;
            uint32_t p2 = ByteSwap32(Load<uint32_t>(in + 8)) >> 8;
            uint32_t p3 = ByteSwap32(Load<uint32_t>(in + 12)) >> 8;
            Store(out, p0 | (p1 << 24));
            Store(out + 4, (p1 >> 8) | (p2 << 16));
            Store(out + 8, (p2 >> 16) | (p3 << 8));
        }
    }
    for (; i < count; ++i, in += 4, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

void ConvertGreyPixels(const uint8_t* in, uint8_t* out, int64_t count) {
    for (int64_t i = 0; i < count; ++i, out += 3) out[0] = out[1] = out[2] = in[i];
}
