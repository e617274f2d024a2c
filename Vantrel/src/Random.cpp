#include <Vantrel/Random.h>

#include <ctime>

namespace {
uint32_t seed = 1963;
}

uint32_t Random16() {
    return Random16Of(seed);
}

uint32_t RandomBelow(uint32_t n) {
    return RandomBelowOf(seed, n);
}

uint32_t RandomPercent() {
    return ((Random16() >> 8) & 0xFF) % 100;
}

void SeedRandomFromTime() {
    seed = static_cast<uint32_t>(std::time(nullptr));
}

void SetRandomSeed(uint32_t value) {
    seed = value;
}

uint32_t RandomSeed() {
    return seed;
}
