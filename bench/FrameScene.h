// Where the game-frame benchmark puts its sprites: a fixed-seed scene of
// count sprites picked from a pool, with exact shares of plain (70 %),
// translucent (20 %) and additive (10 %) draws, and exactly 30 % of the sprites
// crossing one of the surface's four sides (a quarter to three quarters of the
// sprite visible); the others lie wholly inside, unless a sprite is larger
// than the surface, which then crosses it wherever it is put.
#ifndef BENCH_FRAME_SCENE_H
#define BENCH_FRAME_SCENE_H

#include <cstdint>
#include <vector>

#include <Vantrel/Rect.h>

enum class Blend { kPlain, kTranslucent, kAdditive };

struct PlacedSprite {
    int item;      // index into the pool
    int32_t x, y;  // screen position of the hot spot
    Blend blend;
    bool crossing;  // placed across a side
};

// poolBounds: each pool sprite's bounds relative to its hot spot.
std::vector<PlacedSprite> PlaceSprites(const std::vector<Rect>& poolBounds, int count,
                                       int32_t surfaceWidth, int32_t surfaceHeight, uint32_t seed);

#endif
