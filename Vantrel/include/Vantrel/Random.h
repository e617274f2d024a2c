// The 16-bit pseudo-random generator: one 32-bit seed, 1963 at start.
// Sequences are fixed by the seed, so a drawing with random holes repeats
// exactly after SetRandomSeed.
//
// The library's seed is process-wide and belongs to the program's one
// drawing thread. Random16Of and RandomBelowOf do the same arithmetic on a
// state the caller keeps (a canvas's holes generator, Canvas.h), touching no
// process-wide state.
#ifndef VANTREL_RANDOM_H
#define VANTREL_RANDOM_H

#include <cstdint>

// seed = (seed * 3172621 + 1) mod 65536; returns the new seed.
uint32_t Random16();
// 0..n-1 for n from 2 to 65536; 0 without advancing the generator for n 0 or 1.
uint32_t RandomBelow(uint32_t n);
// 0..99: the high byte of Random16() modulo 100.
uint32_t RandomPercent();
void SeedRandomFromTime();
void SetRandomSeed(uint32_t value);
// The seed itself.
uint32_t RandomSeed();

// Random16 and RandomBelow on state instead of the library's seed.
inline uint32_t Random16Of(uint32_t& state) {
    state = (state * 3172621u + 1u) % 65536u;
    return state;
}
inline uint32_t RandomBelowOf(uint32_t& state, uint32_t n) {
    if (n <= 1) return 0;
    return (Random16Of(state) * n) >> 16;
}

#endif
