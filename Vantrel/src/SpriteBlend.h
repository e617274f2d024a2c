// Pixel arithmetic of the sprite drawing, one small policy type per layout.
//
// Every layout offers the half, quarter and eighth of a pixel (each channel
// shifted down on its own, low bits dropped), the saturating per-channel add
// of the additive blend, and the same quarter on four pixels packed in 64 bits
// (a run and a surface row hold pixels back to back, so four neighbours load
// as one 64-bit value on a little-endian host).
//
// The additive blend reads the clamp tables (Pixel.h): the caller builds them
// with InitBlendTables before the first blend. Indices are masked to the
// channel so that no pixel value, however odd, reads past a table.
//
// Internal to the drawing code.
#ifndef VANTREL_SPRITE_BLEND_H
#define VANTREL_SPRITE_BLEND_H

#include <cstdint>

#include <Vantrel/Pixel.h>
#include "SpriteBlendSimd.h"

namespace sprite_blend {

constexpr uint64_t kFourLanes = 0x0001000100010001ull;

// Saturating per-channel add of four packed pixels whose channels are 5 or 6
// bits wide. top holds each channel's top bit, top5 those of the 5-bit
// channels, top6 those of the 6-bit ones. The low bits of each channel are
// added without reaching the top bit's neighbour; the top bits are then added
// by hand, and a channel that carried out is filled with ones.
template <uint64_t top, uint64_t top5, uint64_t top6>
uint64_t AddSaturate4(uint64_t a, uint64_t b) {
    const uint64_t low = (a & ~top) + (b & ~top);
    const uint64_t sum = low ^ ((a ^ b) & top);
    const uint64_t carry = ((a & b) | ((a | b) & low)) & top;
    // A carried channel whose top bit is bit t and bottom bit t - w + 1 gets
    // 2^(t+1) - 2^(t-w+1): its whole field. The sum of those is exact mod 2^64.
    const uint64_t fill = (carry << 1) - ((carry & top5) >> 4) - ((carry & top6) >> 5);
    return sum | fill;
}

struct Layout565 {
    static constexpr uint32_t kHalf = 0x7BEF, kQuarter = 0x39E7, kEighth = 0x18E3;
    static constexpr bool kPackedAdd = true;
    // A leading part of a span added by the vector unit (SpriteBlendSimd.h).
    int32_t AddVector(Pixel16* dst, const unsigned char* src, int32_t count) const {
        return AddPixels565Simd(dst, src, count);
    }
    uint16_t HalfMask() const { return kHalf; }
    uint16_t QuarterMask() const { return kQuarter; }
    uint16_t EighthMask() const { return kEighth; }
    uint64_t Add4(uint64_t s, uint64_t b) const {
        return AddSaturate4<0x8410 * kFourLanes, 0x8010 * kFourLanes, 0x0400 * kFourLanes>(s, b);
    }
    uint32_t Half(uint32_t v) const { return (v >> 1) & kHalf; }
    uint32_t Quarter(uint32_t v) const { return (v >> 2) & kQuarter; }
    uint32_t Eighth(uint32_t v) const { return (v >> 3) & kEighth; }
    uint64_t Quarter4(uint64_t v) const { return (v >> 2) & (kQuarter * kFourLanes); }
    Pixel16 Add(uint32_t s, uint32_t b) const {
        return static_cast<Pixel16>((ClampTable5[(s >> 11) + (b >> 11)] << 11) |
                                    (ClampTable6[((s >> 5) & 63) + ((b >> 5) & 63)] << 5) |
                                    ClampTable5[(s & 31) + (b & 31)]);
    }
};

struct Layout555 {
    static constexpr uint32_t kHalf = 0x3DEF, kQuarter = 0x1CE7, kEighth = 0x0C63;
    static constexpr bool kPackedAdd = true;
    int32_t AddVector(Pixel16* dst, const unsigned char* src, int32_t count) const {
        return AddPixels555Simd(dst, src, count);
    }
    uint16_t HalfMask() const { return kHalf; }
    uint16_t QuarterMask() const { return kQuarter; }
    uint16_t EighthMask() const { return kEighth; }
    // Bit 15 is no channel: it is cleared so that it cannot carry anywhere.
    uint64_t Add4(uint64_t s, uint64_t b) const {
        constexpr uint64_t unused = 0x8000 * kFourLanes;
        return AddSaturate4<0x4210 * kFourLanes, 0x4210 * kFourLanes, 0>(s & ~unused, b & ~unused);
    }
    uint32_t Half(uint32_t v) const { return (v >> 1) & kHalf; }
    uint32_t Quarter(uint32_t v) const { return (v >> 2) & kQuarter; }
    uint32_t Eighth(uint32_t v) const { return (v >> 3) & kEighth; }
    uint64_t Quarter4(uint64_t v) const { return (v >> 2) & (kQuarter * kFourLanes); }
    Pixel16 Add(uint32_t s, uint32_t b) const {
        return static_cast<Pixel16>((ClampTable5[((s >> 10) & 31) + ((b >> 10) & 31)] << 10) |
                                    (ClampTable5[((s >> 5) & 31) + ((b >> 5) & 31)] << 5) |
                                    ClampTable5[(s & 31) + (b & 31)]);
    }
};

// Any other layout, described by PixelMode's shifts and masks.
struct GeneralChannel {
    int shift = 0;
    uint32_t max = 0;                // the channel's mask shifted down to bit 0
    const uint8_t* clamp = nullptr;  // the table for 4-, 5- and 6-bit channels
};

struct LayoutGeneral {
    static constexpr bool kPackedAdd = false;
    uint32_t half = 0, quarter = 0, eighth = 0;
    uint16_t HalfMask() const { return static_cast<uint16_t>(half); }
    uint16_t QuarterMask() const { return static_cast<uint16_t>(quarter); }
    uint16_t EighthMask() const { return static_cast<uint16_t>(eighth); }
    GeneralChannel channel[3];

    uint32_t Half(uint32_t v) const { return (v >> 1) & half; }
    uint32_t Quarter(uint32_t v) const { return (v >> 2) & quarter; }
    uint32_t Eighth(uint32_t v) const { return (v >> 3) & eighth; }
    uint64_t Quarter4(uint64_t v) const { return (v >> 2) & (quarter * kFourLanes); }
    Pixel16 Add(uint32_t s, uint32_t b) const {
        uint32_t out = 0;
        for (const GeneralChannel& c : channel) {
            uint32_t sum = ((s >> c.shift) & c.max) + ((b >> c.shift) & c.max);
            out |= (c.clamp != nullptr ? c.clamp[sum] : (sum < c.max ? sum : c.max)) << c.shift;
        }
        return static_cast<Pixel16>(out);
    }
};

// The masks and table choices for the active PixelMode, taken afresh on
// every call (a few shifts), so that drawing keeps no state of its own and
// follows any change of layout.
LayoutGeneral GeneralLayout();

// An edge record of level L and colour C over background B: C plus the share
// of B that the level leaves (3/4, 1/2, 1/4, 1/8 for levels 1, 2, 3, other).
// A plain 16-bit add: the encoder stored C already scaled to the level.
template <class Layout>
Pixel16 BlendEdge(const Layout& layout, uint32_t level, uint32_t colour, uint32_t background) {
    uint32_t share;
    switch (level) {
        case 1:
            share = background - layout.Quarter(background);
            break;
        case 2:
            share = layout.Half(background);
            break;
        case 3:
            share = layout.Quarter(background);
            break;
        default:
            share = layout.Eighth(background);
            break;
    }
    return static_cast<Pixel16>(colour + share);
}

// A quarter of the sprite over three quarters of the background.
template <class Layout>
Pixel16 Translucent(const Layout& layout, uint32_t s, uint32_t b) {
    return static_cast<Pixel16>(b - layout.Quarter(b) + layout.Quarter(s));
}

}  // namespace sprite_blend

#endif
