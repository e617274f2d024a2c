#include "SpriteBlend.h"

namespace sprite_blend {

namespace {

struct ChannelShape {
    int32_t shift;
    uint32_t mask;
};

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

LayoutGeneral GeneralLayout() {
    const ChannelShape shapes[3] = {{PixelMode.redShift, PixelMode.redMask},
                                    {PixelMode.greenShift, PixelMode.greenMask},
                                    {PixelMode.blueShift, PixelMode.blueMask}};
    const int32_t bits[3] = {PixelMode.redBits, PixelMode.greenBits, PixelMode.blueBits};
    LayoutGeneral layout;
    for (int i = 0; i < 3; ++i) {
        layout.half |= Fraction(shapes[i], 1);
        layout.quarter |= Fraction(shapes[i], 2);
        layout.eighth |= Fraction(shapes[i], 3);
        layout.channel[i] = MakeChannel(shapes[i], bits[i]);
    }
    return layout;
}

}  // namespace sprite_blend
