// The 16-bit pseudo-random generator: one 32-bit seed, 1963 at start.
// Sequences are fixed by the seed, so a drawing with random holes repeats
// exactly after SetRandomSeed.
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
// The seed itself (tests).
uint32_t RandomSeed();

#endif
