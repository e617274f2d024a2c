#include "SpriteBlend.h"

namespace sprite_blend {

namespace {

struct ChannelShape {
    int32_t shift;
    uint32_t mask;
};

bool SameShape(const PixelModeRecord& a, const PixelModeRecord& b) {
    return a.redShift == b.redShift && a.greenShift == b.greenShift && a.blueShift == b.blueShift &&
           a.redMask == b.redMask && a.greenMask == b.greenMask && a.blueMask == b.blueMask &&
           a.redBits == b.redBits && a.greenBits == b.greenBits && a.blueBits == b.blueBits;
}

// A channel with a shift outside the pixel counts as absent.
GeneralChannel MakeChannel(ChannelShape shape, int32_t bits) {
    GeneralChannel c;
    if (shape.shift < 0 || shape.shift > 15) return c;
    c.shift = shape.shift;
    c.max = (shape.mask & 0xFFFF) >> shape.shift;
    // The tables fit 4-, 5- and 6-bit channels exactly; any other width
    // saturates by comparison, which gives the same result without reading
    // past a table.
    if (bits == 6 && c.max <= 63) c.clamp = ClampTable6;
    if (bits == 4 && c.max <= 15) c.clamp = ClampTable4;
    if (bits == 5 && c.max <= 31) c.clamp = ClampTable5;
    return c;
}

uint32_t Fraction(ChannelShape shape, int down) {
    if (shape.shift < 0 || shape.shift > 15) return 0;
    return (((shape.mask & 0xFFFF) >> (shape.shift + down)) << shape.shift) & 0xFFFF;
}

}  // namespace

const LayoutGeneral& GeneralLayout() {
    static LayoutGeneral layout;
    static PixelModeRecord takenFrom;
    static bool taken = false;
    if (taken && SameShape(takenFrom, PixelMode)) return layout;
    const ChannelShape shapes[3] = {{PixelMode.redShift, PixelMode.redMask},
                                    {PixelMode.greenShift, PixelMode.greenMask},
                                    {PixelMode.blueShift, PixelMode.blueMask}};
    const int32_t bits[3] = {PixelMode.redBits, PixelMode.greenBits, PixelMode.blueBits};
    layout = LayoutGeneral{};
    for (int i = 0; i < 3; ++i) {
        layout.half |= Fraction(shapes[i], 1);
        layout.quarter |= Fraction(shapes[i], 2);
        layout.eighth |= Fraction(shapes[i], 3);
        layout.channel[i] = MakeChannel(shapes[i], bits[i]);
    }
    takenFrom = PixelMode;
    taken = true;
    return layout;
}

}  // namespace sprite_blend
