// x86 vector versions of the blended spans: 16 pixels a step with AVX2 when
// the processor has it (checked once at run time; the rest of the program
// keeps the baseline instruction set), else 8 with SSE2, which every x86-64
// processor has. Edge records go 8 at a time with SSE2: their backgrounds are
// read one by one into the lanes and written back the same way.
//
// The saturating add lifts each channel to the top of its 16-bit lane (the
// bits above it fall out, the bits below are cleared), adds the lanes with
// unsigned saturation, which fills a channel that overflows with ones, and
// moves the channel back down.
#include <immintrin.h>

#include "SpriteBlendSimd.h"

namespace {

bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

constexpr short Lanes(uint32_t v) {
    return static_cast<short>(static_cast<uint16_t>(v));
}

// A channel kWidth bits wide whose top bit lies kUp bits below bit 15.
template <int kUp, int kWidth>
__m128i AddChannel(__m128i s, __m128i b) {
    const __m128i top = _mm_set1_epi16(Lanes(0xFFFFu << (16 - kWidth)));
    const __m128i field = _mm_set1_epi16(Lanes(((1u << kWidth) - 1) << (16 - kWidth - kUp)));
    const __m128i sum = _mm_adds_epu16(_mm_and_si128(_mm_slli_epi16(s, kUp), top),
                                       _mm_and_si128(_mm_slli_epi16(b, kUp), top));
    return _mm_and_si128(_mm_srli_epi16(sum, kUp), field);
}

template <int kUp, int kWidth>
__attribute__((target("avx2"))) __m256i AddChannel(__m256i s, __m256i b) {
    const __m256i top = _mm256_set1_epi16(Lanes(0xFFFFu << (16 - kWidth)));
    const __m256i field = _mm256_set1_epi16(Lanes(((1u << kWidth) - 1) << (16 - kWidth - kUp)));
    const __m256i sum = _mm256_adds_epu16(_mm256_and_si256(_mm256_slli_epi16(s, kUp), top),
                                          _mm256_and_si256(_mm256_slli_epi16(b, kUp), top));
    return _mm256_and_si256(_mm256_srli_epi16(sum, kUp), field);
}

// Red, green and blue of a layout, as (kUp, kWidth) pairs.
template <int kUpR, int kWidthR, int kUpG, int kWidthG, int kUpB, int kWidthB>
struct Channels {
    static __m128i Add(__m128i s, __m128i b) {
        return _mm_or_si128(
            _mm_or_si128(AddChannel<kUpR, kWidthR>(s, b), AddChannel<kUpG, kWidthG>(s, b)),
            AddChannel<kUpB, kWidthB>(s, b));
    }
    __attribute__((target("avx2"))) static __m256i Add(__m256i s, __m256i b) {
        return _mm256_or_si256(
            _mm256_or_si256(AddChannel<kUpR, kWidthR>(s, b), AddChannel<kUpG, kWidthG>(s, b)),
            AddChannel<kUpB, kWidthB>(s, b));
    }
};

using Channels565 = Channels<0, 5, 5, 6, 11, 5>;
using Channels555 = Channels<1, 5, 6, 5, 11, 5>;

template <class Layout>
__attribute__((target("avx2"))) int32_t Add16s(Pixel16* dst, const unsigned char* src,
                                               int32_t count) {
    int32_t i = 0;
    for (; i + 16 <= count; i += 16) {
        auto* d = reinterpret_cast<__m256i*>(dst + i);
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + 2 * i));
        _mm256_storeu_si256(d, Layout::Add(s, _mm256_loadu_si256(d)));
    }
    return i;
}

template <class Layout>
int32_t AddPixels(Pixel16* dst, const unsigned char* src, int32_t count) {
    int32_t i = HasAvx2() ? Add16s<Layout>(dst, src, count) : 0;
    for (; i + 8 <= count; i += 8) {
        auto* d = reinterpret_cast<__m128i*>(dst + i);
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 2 * i));
        _mm_storeu_si128(d, Layout::Add(s, _mm_loadu_si128(d)));
    }
    return i;
}

__attribute__((target("avx2"))) int32_t Translucent16s(Pixel16* dst, const unsigned char* src,
                                                       int32_t count, uint16_t quarter) {
    const __m256i q = _mm256_set1_epi16(Lanes(quarter));
    int32_t i = 0;
    for (; i + 16 <= count; i += 16) {
        auto* d = reinterpret_cast<__m256i*>(dst + i);
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + 2 * i));
        const __m256i b = _mm256_loadu_si256(d);
        const __m256i out =
            _mm256_add_epi16(_mm256_sub_epi16(b, _mm256_and_si256(_mm256_srli_epi16(b, 2), q)),
                             _mm256_and_si256(_mm256_srli_epi16(s, 2), q));
        _mm256_storeu_si256(d, out);
    }
    return i;
}

}  // namespace

int32_t AddPixels565Simd(Pixel16* dst, const unsigned char* src, int32_t count) {
    return AddPixels<Channels565>(dst, src, count);
}

int32_t AddPixels555Simd(Pixel16* dst, const unsigned char* src, int32_t count) {
    return AddPixels<Channels555>(dst, src, count);
}

int32_t TranslucentPixelsSimd(Pixel16* dst, const unsigned char* src, int32_t count,
                              uint16_t quarter) {
    int32_t i = HasAvx2() ? Translucent16s(dst, src, count, quarter) : 0;
    const __m128i q = _mm_set1_epi16(Lanes(quarter));
    for (; i + 8 <= count; i += 8) {
        auto* d = reinterpret_cast<__m128i*>(dst + i);
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 2 * i));
        const __m128i b = _mm_loadu_si128(d);
        _mm_storeu_si128(d, _mm_add_epi16(_mm_sub_epi16(b, _mm_and_si128(_mm_srli_epi16(b, 2), q)),
                                          _mm_and_si128(_mm_srli_epi16(s, 2), q)));
    }
    return i;
}

namespace {

// Lane k of bg becomes the background of record k, whose place goes to at[k].
template <int k>
__m128i LoadBackground(__m128i bg, const Pixel16* surface, ptrdiff_t origin, const uint32_t* edge,
                       ptrdiff_t* at) {
    at[k] = origin + static_cast<int32_t>(edge[2 * k]);
    return _mm_insert_epi16(bg, surface[at[k]], k);
}

template <int k>
void StoreEdge(Pixel16* surface, const ptrdiff_t* at, __m128i out) {
    surface[at[k]] = static_cast<Pixel16>(_mm_extract_epi16(out, k));
}

// The low (kHigh false) or high halves of the second word of four records
// each, as eight 16-bit lanes.
template <bool kHigh>
__m128i Halves(__m128i a, __m128i b) {
    if (!kHigh) {
        a = _mm_slli_epi32(a, 16);
        b = _mm_slli_epi32(b, 16);
    }
    // Sign-extended, the halves survive the saturating pack unchanged.
    return _mm_packs_epi32(_mm_srai_epi32(a, 16), _mm_srai_epi32(b, 16));
}

__m128i SecondWords(const uint32_t* edge) {
    const __m128 a = _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(edge)));
    const __m128 b = _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(edge + 4)));
    return _mm_castps_si128(_mm_shuffle_ps(a, b, _MM_SHUFFLE(3, 1, 3, 1)));
}

__m128i Select(__m128i mask, __m128i a, __m128i b) {
    return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}

}  // namespace

int32_t BlendEdgesSimd(Pixel16* surface, ptrdiff_t origin, const uint32_t* edge, int32_t count,
                       uint16_t half, uint16_t quarter, uint16_t eighth) {
    const __m128i h = _mm_set1_epi16(Lanes(half)), q = _mm_set1_epi16(Lanes(quarter)),
                  e = _mm_set1_epi16(Lanes(eighth));
    int32_t i = 0;
    for (; i + 8 <= count; i += 8, edge += 16) {
        ptrdiff_t at[8];
        __m128i bg = _mm_setzero_si128();
        bg = LoadBackground<0>(bg, surface, origin, edge, at);
        bg = LoadBackground<1>(bg, surface, origin, edge, at);
        bg = LoadBackground<2>(bg, surface, origin, edge, at);
        bg = LoadBackground<3>(bg, surface, origin, edge, at);
        bg = LoadBackground<4>(bg, surface, origin, edge, at);
        bg = LoadBackground<5>(bg, surface, origin, edge, at);
        bg = LoadBackground<6>(bg, surface, origin, edge, at);
        bg = LoadBackground<7>(bg, surface, origin, edge, at);
        const __m128i first = SecondWords(edge), second = SecondWords(edge + 8);
        const __m128i level = Halves<false>(first, second);
        const __m128i colour = Halves<true>(first, second);
        // The share of the background each level leaves: 3/4, 1/2, 1/4, else 1/8.
        const __m128i quarterOf = _mm_and_si128(_mm_srli_epi16(bg, 2), q);
        __m128i share = _mm_and_si128(_mm_srli_epi16(bg, 3), e);
        share = Select(_mm_cmpeq_epi16(level, _mm_set1_epi16(3)), quarterOf, share);
        share = Select(_mm_cmpeq_epi16(level, _mm_set1_epi16(2)),
                       _mm_and_si128(_mm_srli_epi16(bg, 1), h), share);
        share =
            Select(_mm_cmpeq_epi16(level, _mm_set1_epi16(1)), _mm_sub_epi16(bg, quarterOf), share);
        const __m128i out = _mm_add_epi16(colour, share);
        StoreEdge<0>(surface, at, out);
        StoreEdge<1>(surface, at, out);
        StoreEdge<2>(surface, at, out);
        StoreEdge<3>(surface, at, out);
        StoreEdge<4>(surface, at, out);
        StoreEdge<5>(surface, at, out);
        StoreEdge<6>(surface, at, out);
        StoreEdge<7>(surface, at, out);
    }
    return i;
}
