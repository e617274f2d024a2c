// Frame analysis shared by Quarvin and Plimsor: the marker colour that
// carries an outline through a 24-bit frame, the outline painter, the smallest
// rectangle holding the visible pixels, and the pixel rules that tell the
// sprite encoder which pixels are run pixels, which are feathered edge pixels
// and how bright each edge pixel counts (the rules themselves, and the
// encoder's source made of them, are in FramePixelRules.h).
//
// Images are 24-bit: width x height pixels of three bytes R, G, B, rows top to
// bottom, no padding. A colour is R * 65536 + G * 256 + B; black (0) is
// transparent. A pixel's 16-bit value is RgbTo565NonBlack of its colour, so a
// value of 0 and a black colour are the same test. Pixels outside the image
// read as black (transparent): artwork that touches its own edge is treated as
// if surrounded by a transparent margin.
//
// The interior of a W x H frame is 1 <= x <= W - 2, 1 <= y <= H - 2; the marker
// search and the outline painter read and change the interior only.
//
// Nothing here fails; the encoding reports its own limits (RLSpriteEncode.h).
#ifndef UTILS_COMMON_FRAMES_FRAME_ANALYSIS_H
#define UTILS_COMMON_FRAMES_FRAME_ANALYSIS_H

#include <cstdint>

#include <Vantrel/Pixel.h>
#include <Vantrel/Rect.h>

#include "frames/FrameImage.h"

// What the encoder and the bounds search need to know about one frame: its
// main image, the alpha image when the tool found one (it steers opacity and
// shading while the colours come from the main image), and the options.
struct FrameRules {
    FrameImage main;
    FrameImage alpha;      // pixels == nullptr: no alpha image
    bool border = false;   // marker-coloured pixels are opaque black outline
    uint32_t marker = 0;   // FindMarkerColour's result when border is on
    bool feather = false;  // outermost opaque pixels become edge records
};

constexpr uint32_t kWhiteColour = 0xFFFFFF;
// The lifting pass brightens a dark pixel's strongest channel to this value.
constexpr int kLiftedChannel = 8;

// Colour of pixel (x, y); 0 outside the image. r, g, b may be null.
uint32_t ReadRgb(const FrameImage& image, int32_t x, int32_t y, uint8_t* r = nullptr,
                 uint8_t* g = nullptr, uint8_t* b = nullptr);

// 16-bit value of the main (alpha) image's pixel (x, y); its colour through
// colour when that is given. An absent alpha image reads as all black.
Pixel16 GetMainPixel(const FrameRules& rules, int32_t x, int32_t y, uint32_t* colour = nullptr);
Pixel16 GetAlphaPixel(const FrameRules& rules, int32_t x, int32_t y, uint32_t* colour = nullptr);

// Not the marker, not black, and at least one channel above 31.
bool IsSolidPixel(uint32_t colour, uint32_t marker);
// One of the four side neighbours (left, right, above, below) is solid.
bool HasSolidNeighbour(const FrameImage& image, int32_t x, int32_t y, uint32_t marker);

// The eight-neighbour pattern of (x, y): bit 0 above left, then clockwise
// (above, above right, right, below right, below, below left, left), a bit set
// for every neighbour that is not black.
uint8_t NeighbourPattern(const FrameImage& image, int32_t x, int32_t y);
// Patterns of an outline pixel that the corner pass removes: one side's three
// neighbours (7, 28, 112, 193); exactly above and below or exactly left and
// right among the side neighbours; or two clockwise-adjacent neighbours
// (3 << k for k = 0..6, and 129).
bool IsRemovableCornerPattern(uint8_t pattern);
bool IsOutlineCorner(const FrameImage& image, int32_t x, int32_t y);

// The first of the 120 candidates (pure reds n * 65536, greens n * 256, blues
// n, then red-blues n * 65537, n = 1..30) that does not occur in the frame's
// interior, or 0 when all occur.
uint32_t FindMarkerColour(const FrameImage& image);

// Three passes over the interior, each in place: black pixels with a solid
// side neighbour become the marker (the outline); pixels darker than 8 in all
// channels are lifted so their strongest channel is 8; outline pixels whose
// neighbour pattern is a removable corner become black again.
void PaintBorder(FrameImage& image, uint32_t marker);
// The lifting of one dark colour (exposed for tests): the strongest channel
// (ties to the later channel) becomes 8, the others are scaled by 8 / strongest
// rounded to single precision and truncated.
uint32_t LiftDarkColour(uint32_t colour);

// The inclusive rectangle of the visible pixels: pixels whose 16-bit value is
// not 0, or, with border on, of the marker colour; the alpha image is searched
// instead of the main image when present. A frame without a visible pixel
// gives the empty rectangle (0, 0, -1, -1).
Rect FindFrameBounds(const FrameRules& rules);
inline bool IsEmptyRect(const Rect& rect) {
    return rect.right < rect.left || rect.bottom < rect.top;
}

// One of the eight neighbours of (x, y) in the main image is black.
bool IsEdgePixel(const FrameImage& main, int32_t x, int32_t y);

// Brightness of a colour for feathering: (R / 8 + G / 8 + B / 8) / 3, 0..31.
int EdgeBrightness(uint32_t colour);

#endif
