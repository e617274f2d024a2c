/// @file
/// Integer division helpers on 32-bit signed values; divisions truncate toward
/// zero. Intermediate sums are formed in 64 bits, so no input overflows; a
/// divisor of 0 gives 0.
#ifndef VANTREL_INT_MATH_H
#define VANTREL_INT_MATH_H

#include <cstdint>

/// a / b, plus 1 when the division leaves a remainder.
constexpr int32_t DivRoundUp(int32_t a, int32_t b) {
    if (b == 0) return 0;
    int64_t quotient = int64_t{a} / b;
    return static_cast<int32_t>(quotient + (int64_t{a} % b != 0 ? 1 : 0));
}

/// (a + h + h / 2) / b with h = b / 2 (shifts): for positive values a / b
/// rounded up once the remainder reaches about a quarter of b.
constexpr int32_t DivBiasUp(int32_t a, int32_t b) {
    if (b == 0) return 0;
    int64_t h = b >> 1;
    return static_cast<int32_t>((int64_t{a} + h + (h >> 1)) / b);
}

#endif
