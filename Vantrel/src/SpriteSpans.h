// The span operations of the sprite drawing: each draws count pixels of a
// run, from its pixel first on, at dst (copy, copy with random holes,
// translucent, additive).
//
// A run's pixels lie two to a word, the first in the low half, so on a
// little-endian host they are the 16-bit pixels back to back.
//
// Internal to the drawing code.
#ifndef VANTREL_SPRITE_SPANS_H
#define VANTREL_SPRITE_SPANS_H

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include <Vantrel/Pixel.h>
#include <Vantrel/Random.h>
#include "SpriteBlend.h"

namespace sprite_walk {

constexpr bool kLittleEndian = std::endian::native == std::endian::little;

inline Pixel16 RunPixel(const uint32_t* pixels, int64_t i) {
    if constexpr (kLittleEndian) {
        Pixel16 p;
        std::memcpy(&p, reinterpret_cast<const unsigned char*>(pixels) + 2 * i, 2);
        return p;
    } else {
        return static_cast<Pixel16>(pixels[i >> 1] >> ((i & 1) * 16));
    }
}

// Copies count pixels from a run (little-endian hosts: byte for byte). Short
// runs are common: up to 64 bytes the copy is done inline in 16-byte steps, the
// last step overlapping the one before, rather than by a library call. Longer
// ones go to the library's wider copy, unless kLibraryForLong is false.
template <bool kLibraryForLong = true>
inline void CopyPixels(Pixel16* dst, const uint32_t* pixels, int32_t first, int32_t count) {
    if constexpr (kLittleEndian) {
        unsigned char* d = reinterpret_cast<unsigned char*>(dst);
        const unsigned char* s = reinterpret_cast<const unsigned char*>(pixels) + 2 * first;
        const size_t bytes = static_cast<size_t>(count) * 2;
        if (kLibraryForLong && bytes > 64) {
            std::memcpy(d, s, bytes);
        } else if (bytes >= 16) {
            for (size_t i = 0; i + 16 < bytes; i += 16) std::memcpy(d + i, s + i, 16);
            std::memcpy(d + bytes - 16, s + bytes - 16, 16);
        } else if (bytes >= 8) {
            std::memcpy(d, s, 8);
            std::memcpy(d + bytes - 8, s + bytes - 8, 8);
        } else if (bytes >= 4) {
            std::memcpy(d, s, 4);
            std::memcpy(d + bytes - 4, s + bytes - 4, 4);
        } else {
            std::memcpy(d, s, 2);
        }
    } else {
        for (int32_t i = 0; i < count; ++i) dst[i] = RunPixel(pixels, first + i);
    }
}

struct CopySpan {
    void operator()(Pixel16* dst, const uint32_t* pixels, int32_t first, int32_t count) const {
        CopyPixels(dst, pixels, first, count);
    }
};

// The copy for loops that must not call out (WalkColumnsClipped).
struct InlineCopySpan {
    void operator()(Pixel16* dst, const uint32_t* pixels, int32_t first, int32_t count) const {
        CopyPixels<false>(dst, pixels, first, count);
    }
};

// Random holes: count / 4 of the span's pixels (at least 1, at most 16), at
// random positions that may repeat, keep the background. The positions come
// from *seed, which each one advances (RandomBelowOf).
struct HolesSpan {
    uint32_t* seed;
    void operator()(Pixel16* dst, const uint32_t* pixels, int32_t first, int32_t count) const {
        int32_t holes = count / 4;
        if (holes < 1) holes = 1;
        if (holes > 16) holes = 16;
        uint32_t at[16];
        Pixel16 saved[16];
        for (int32_t k = 0; k < holes; ++k) {
            at[k] = RandomBelowOf(*seed, static_cast<uint32_t>(count));
            saved[k] = dst[at[k]];
        }
        CopyPixels(dst, pixels, first, count);
        for (int32_t k = 0; k < holes; ++k) dst[at[k]] = saved[k];
    }
};

// Spans this long or longer go to the vector unit first (SpriteBlendSimd.h).
constexpr int32_t kVectorSpan = 8;

template <class Layout>
struct TranslucentSpan {
    Layout layout;
    void operator()(Pixel16* dst, const uint32_t* pixels, int32_t first, int32_t count) const {
        int32_t i = 0;
        if constexpr (kLittleEndian) {
            const unsigned char* src = reinterpret_cast<const unsigned char*>(pixels) + 2 * first;
            if (count >= kVectorSpan)
                i = TranslucentPixelsSimd(dst, src, count, layout.QuarterMask());
            for (; i + 4 <= count; i += 4) {
                uint64_t s, b;
                std::memcpy(&s, src + 2 * i, 8);
                std::memcpy(&b, dst + i, 8);
                // Per channel b - b/4 never borrows and adding s/4 never
                // carries, so four pixels go at once.
                b = b - layout.Quarter4(b) + layout.Quarter4(s);
                std::memcpy(dst + i, &b, 8);
            }
        }
        for (; i < count; ++i)
            dst[i] = sprite_blend::Translucent(layout, RunPixel(pixels, first + i), dst[i]);
    }
};

template <class Layout>
struct AdditiveSpan {
    Layout layout;
    void operator()(Pixel16* dst, const uint32_t* pixels, int32_t first, int32_t count) const {
        int32_t i = 0;
        if constexpr (kLittleEndian && Layout::kPackedAdd) {
            const unsigned char* src = reinterpret_cast<const unsigned char*>(pixels) + 2 * first;
            if (count >= kVectorSpan) i = layout.AddVector(dst, src, count);
            for (; i + 4 <= count; i += 4) {
                uint64_t s, b;
                std::memcpy(&s, src + 2 * i, 8);
                std::memcpy(&b, dst + i, 8);
                b = layout.Add4(s, b);
                std::memcpy(dst + i, &b, 8);
            }
        }
        for (; i < count; ++i) dst[i] = layout.Add(RunPixel(pixels, first + i), dst[i]);
    }
};

}  // namespace sprite_walk

#endif
