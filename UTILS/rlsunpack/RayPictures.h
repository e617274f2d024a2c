// Turns a ray's sprites back into the pictures the converters read.
//
// Each sprite becomes a 24-bit picture on a canvas chosen so that converting
// it again gives the same hot spot and bounds:
//   - quarvin anchors a frame at its centre (W / 2 - 1, H / 2 - 1): every
//     canvas is 2K x 2L pixels with the hot spot at (K - 1, L - 1), large
//     enough for every sprite of the ray plus a transparent margin, so a
//     ship's frames stay aligned on their pivot;
//   - plimsor anchors a picture at the centre of its visible rectangle, which
//     for a sprite plimsor made is where its hot spot already is.
// Run pixels keep their RGB565 value (each channel's bits repeated into the
// low bits, which the converters' truncation removes again).
//
// Alpha pictures (a_NAMEnn.tga) are made for every sprite of the ray as soon
// as one sprite has edge records or opaque black pixels, which a colour
// picture alone cannot carry: white where a run pixel is, black where
// nothing is, and for an edge pixel a grey whose brightness gives the edge
// record's level (24, 40, 64, 224 for levels 1 to 4). The colour picture
// then holds, at an edge pixel, the colour that the level's shading turns
// into exactly the stored colour, so quarvin (with Feather, which reads the
// alpha pictures) gives back the same edge records.
#ifndef RLSUNPACK_RAY_PICTURES_H
#define RLSUNPACK_RAY_PICTURES_H

#include <cstdint>
#include <string>
#include <vector>

#include <Vantrel/Rls.h>

struct Picture {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> rgb;  // three bytes per pixel, top row first
};

struct RayPictures {
    std::vector<Picture> colour;  // one per sprite
    std::vector<Picture> alpha;   // one per sprite, or none
    // Why a sprite would not come back the same (not made by a converter).
    std::vector<std::string> warnings;
};

// ray: loaded unbound (pitch 0), so checked by the loader.
RayPictures MakeRayPictures(const RlsRay& ray);

// The colour that the edge shading of `level` turns into `shaded`, or the
// nearest one there is; exact tells which.
uint16_t UnshadeEdgeColour(uint16_t shaded, int level, bool& exact);

#endif
