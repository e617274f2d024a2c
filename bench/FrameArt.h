// The game-frame benchmark's sprites: the sample art (the wasp's 16 rotation
// frames and the five single pictures) painted in-process at a chosen size and
// encoded the way the tools encode it (the wasp with its coverage as alpha
// image and feathered edges, the pictures over black without feathering), then
// bound to the screen pitch.
//
// Beside each bound sprite it keeps the same picture as a plain 16-bit image
// for the peers' blitters: every run pixel, and every edge pixel with the
// colour the encoder stored for it (its share of the sprite, as drawn over
// black); clear pixels are 0, the key colour.
#ifndef BENCH_FRAME_ART_H
#define BENCH_FRAME_ART_H

#include <cstdint>
#include <memory>
#include <vector>

#include <Vantrel/Pixel.h>
#include <Vantrel/RLSprite.h>

// Looks 0..15 are the wasp's rotation frames, 16..20 the pictures.
constexpr int kShipLooks = 16;
constexpr int kLookCount = kShipLooks + 5;

struct ArtSprite {
    RLSprite sprite;    // bound to ScreenWidth(), runs and edge records
    RLSprite runsOnly;  // the same runs, no edge records
    int32_t width = 0, height = 0;
    std::vector<Pixel16> image;     // width x height: runs and edge colours
    std::vector<Pixel16> runImage;  // width x height: runs only
    int64_t runPixels = 0, edgePixels = 0;

    ArtSprite() = default;
    ArtSprite(const ArtSprite&) = delete;
    ArtSprite& operator=(const ArtSprite&) = delete;
    ~ArtSprite();
};

// Paints and encodes one look on a size x size canvas. PixelMode must be the
// program's (SelectProgramPixelMode) before the first call.
std::unique_ptr<ArtSprite> MakeArtSprite(int look, int size);

#endif
