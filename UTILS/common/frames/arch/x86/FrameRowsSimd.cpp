// x86 vector versions of the frame row conversions, using SSSE3's byte
// shuffle when the processor has it (checked once at run time; the rest of
// the program keeps the baseline instruction set).
//
// Sixteen pixels (48 bytes, three vectors) per step: three shuffles per
// channel gather the R, G and B bytes into one vector each; the RGB565 value
// is built as a high byte (R & 0xF8) | (G >> 5) and a low byte
// ((G << 3) & 0xE0) | (B >> 3), and the two are interleaved into 16-bit lanes.
// The rare non-black colour whose value truncates to 0 is fixed up one by one.
// A row of at least 16 pixels ends with a step over its last 16, which
// repeats some pixels of the step before with the same results.
#include <tmmintrin.h>

#include <cstddef>

#include "frames/FrameRowsSimd.h"

namespace {

bool HasSsse3() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

struct Planes {
    __m128i r, g, b;
};

__attribute__((target("ssse3"))) Planes LoadPlanes(const uint8_t* p) {
    const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32));
    // Byte 3k + c of the 48 holds channel c of pixel k.
    const __m128i r0 = _mm_setr_epi8(0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i r1 = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14, -1, -1, -1, -1, -1);
    const __m128i r2 = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, 4, 7, 10, 13);
    const __m128i g0 = _mm_setr_epi8(1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i g1 = _mm_setr_epi8(-1, -1, -1, -1, -1, 0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1);
    const __m128i g2 = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14);
    const __m128i b0 = _mm_setr_epi8(2, 5, 8, 11, 14, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i b1 = _mm_setr_epi8(-1, -1, -1, -1, -1, 1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1);
    const __m128i b2 = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 3, 6, 9, 12, 15);
    return {_mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(v0, r0), _mm_shuffle_epi8(v1, r1)),
                         _mm_shuffle_epi8(v2, r2)),
            _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(v0, g0), _mm_shuffle_epi8(v1, g1)),
                         _mm_shuffle_epi8(v2, g2)),
            _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(v0, b0), _mm_shuffle_epi8(v1, b1)),
                         _mm_shuffle_epi8(v2, b2))};
}

// Sixteen bits, one per pixel, into the mask at pixel `at`.
inline void PutBits(uint64_t* mask, int32_t at, uint32_t bits) {
    const int shift = at % 64;
    mask[at / 64] |= static_cast<uint64_t>(bits) << shift;
    if (shift > 48) mask[at / 64 + 1] |= static_cast<uint64_t>(bits) >> (64 - shift);
}

// The value of a non-black pixel whose channels all truncate away.
uint16_t DimValue(const uint8_t* p) {
    return static_cast<uint16_t>((p[0] != 0 ? 0x0800u : 0u) | (p[1] != 0 ? 0x0020u : 0u) |
                                 (p[2] != 0 ? 1u : 0u));
}

__attribute__((target("ssse3"))) int32_t RgbRowValuesSsse3(const uint8_t* rgb, int32_t count,
                                                           uint16_t* values, uint64_t* lit) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i maskF8 = _mm_set1_epi8(static_cast<char>(0xF8));
    const __m128i mask07 = _mm_set1_epi8(0x07);
    const __m128i maskE0 = _mm_set1_epi8(static_cast<char>(0xE0));
    const __m128i mask1F = _mm_set1_epi8(0x1F);
    if (count < 16) return 0;
    for (int32_t i = 0;; i += 16) {
        if (i + 16 > count) i = count - 16;
        const uint8_t* p = rgb + 3 * static_cast<ptrdiff_t>(i);
        const Planes c = LoadPlanes(p);
        const __m128i high =
            _mm_or_si128(_mm_and_si128(c.r, maskF8), _mm_and_si128(_mm_srli_epi16(c.g, 5), mask07));
        const __m128i low = _mm_or_si128(_mm_and_si128(_mm_slli_epi16(c.g, 3), maskE0),
                                         _mm_and_si128(_mm_srli_epi16(c.b, 3), mask1F));
        const __m128i first = _mm_unpacklo_epi8(low, high);
        const __m128i second = _mm_unpackhi_epi8(low, high);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(values + i), first);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(values + i + 8), second);
        const auto black = static_cast<uint32_t>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_or_si128(_mm_or_si128(c.r, c.g), c.b), zero)));
        const uint32_t bits = ~black & 0xFFFFu;
        PutBits(lit, i, bits);
        const auto zeroValue = static_cast<uint32_t>(_mm_movemask_epi8(
            _mm_packs_epi16(_mm_cmpeq_epi16(first, zero), _mm_cmpeq_epi16(second, zero))));
        for (uint32_t dim = zeroValue & bits; dim != 0; dim &= dim - 1) {
            const int k = __builtin_ctz(dim);
            values[i + k] = DimValue(p + 3 * k);
        }
        if (i + 16 == count) return count;
    }
}

__attribute__((target("ssse3"))) int32_t RgbRowMasksSsse3(const uint8_t* rgb, int32_t count,
                                                          uint64_t* lit, uint64_t* white) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi8(-1);
    if (count < 16) return 0;
    for (int32_t i = 0;; i += 16) {
        if (i + 16 > count) i = count - 16;
        const Planes c = LoadPlanes(rgb + 3 * static_cast<ptrdiff_t>(i));
        const auto black = static_cast<uint32_t>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_or_si128(_mm_or_si128(c.r, c.g), c.b), zero)));
        const auto whiteBits = static_cast<uint32_t>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(_mm_and_si128(c.r, c.g), c.b), full)));
        PutBits(lit, i, ~black & 0xFFFFu);
        PutBits(white, i, whiteBits);
        if (i + 16 == count) return count;
    }
}

}  // namespace

int32_t RgbRowValuesSimd(const uint8_t* rgb, int32_t count, uint16_t* values, uint64_t* lit) {
    return HasSsse3() ? RgbRowValuesSsse3(rgb, count, values, lit) : 0;
}

int32_t RgbRowMasksSimd(const uint8_t* rgb, int32_t count, uint64_t* lit, uint64_t* white) {
    return HasSsse3() ? RgbRowMasksSsse3(rgb, count, lit, white) : 0;
}
