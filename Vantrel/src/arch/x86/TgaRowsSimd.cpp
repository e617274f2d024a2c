// x86 vector versions of the TGA row conversions, using SSSE3's byte shuffle
// when the processor has it (checked once at run time; the rest of the
// program keeps the baseline instruction set).
//
// Depth 24: sixteen pixels (48 bytes, three vectors) per step, all loaded
// before any is stored, so the conversion works in place and between two
// rows that exchange their pixels.
//
// Depth 32: a 16-byte load holds four pixels B, G, R, x; the shuffle packs
// them into 12 bytes R, G, B; the store writes 16 bytes, the last 4 of which
// the next step overwrites (the loop stops while 16 bytes remain).
#include <tmmintrin.h>

#include "TgaRowsSimd.h"

namespace {

bool HasSsse3() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

struct Block48 {
    __m128i v0, v1, v2;
};

__attribute__((target("ssse3"))) Block48 Load48(const uint8_t* p) {
    return {_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16)),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32))};
}

__attribute__((target("ssse3"))) void Store48(uint8_t* p, const Block48& b) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), b.v0);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 16), b.v1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 32), b.v2);
}

// Sixteen pixels, 48 bytes: output byte i takes input byte i + 2, i or i - 2
// as i mod 3 is 0, 1 or 2. Each output vector is shuffled from its own input
// vector, plus the single bytes whose partner lies in a neighbouring vector.
__attribute__((target("ssse3"))) Block48 Swap48(const Block48& in) {
    const __m128i own0 = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, -1);
    const __m128i own1 = _mm_setr_epi8(0, -1, 4, 3, 2, 7, 6, 5, 10, 9, 8, 13, 12, 11, -1, 15);
    const __m128i own2 = _mm_setr_epi8(-1, 3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13);
    const __m128i next0 =
        _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1);
    const __m128i previous1 =
        _mm_setr_epi8(-1, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i next1 =
        _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, -1);
    const __m128i previous2 =
        _mm_setr_epi8(14, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    return {_mm_or_si128(_mm_shuffle_epi8(in.v0, own0), _mm_shuffle_epi8(in.v1, next0)),
            _mm_or_si128(
                _mm_or_si128(_mm_shuffle_epi8(in.v1, own1), _mm_shuffle_epi8(in.v0, previous1)),
                _mm_shuffle_epi8(in.v2, next1)),
            _mm_or_si128(_mm_shuffle_epi8(in.v2, own2), _mm_shuffle_epi8(in.v1, previous2))};
}

__attribute__((target("ssse3"))) int64_t SwapPixels(uint8_t* pixels, int64_t count) {
    int64_t done = 0;
    for (; done + 16 <= count; done += 16, pixels += 48) Store48(pixels, Swap48(Load48(pixels)));
    return done;
}

__attribute__((target("ssse3"))) int64_t SwapRows(uint8_t* a, uint8_t* b, int64_t count) {
    int64_t done = 0;
    for (; done + 16 <= count; done += 16, a += 48, b += 48) {
        Block48 fromA = Load48(a), fromB = Load48(b);
        Store48(a, Swap48(fromB));
        Store48(b, Swap48(fromA));
    }
    return done;
}

__attribute__((target("ssse3"))) int64_t PackBgrx(const uint8_t* in, uint8_t* out, int64_t count) {
    const __m128i mask = _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
    int64_t done = 0;
    // Six pixels must remain: the store writes 16 bytes, 4 beyond the step.
    for (; done + 6 <= count; done += 4, in += 16, out += 12) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(v, mask));
    }
    return done;
}

}  // namespace

int64_t SwapBgrPixelsSimd(uint8_t* pixels, int64_t count) {
    return HasSsse3() ? SwapPixels(pixels, count) : 0;
}

int64_t SwapBgrRowsSimd(uint8_t* a, uint8_t* b, int64_t count) {
    return HasSsse3() ? SwapRows(a, b, count) : 0;
}

int64_t ConvertBgrxPixelsSimd(const uint8_t* in, uint8_t* out, int64_t count) {
    return HasSsse3() ? PackBgrx(in, out, count) : 0;
}
