#include <Vantrel/IntMath.h>

#include "support/VantrelTest.h"

namespace {

class IntMathTest : public VantrelTest {};

static_assert(DivRoundUp(7, 2) == 4 && DivRoundUp(6, 2) == 3);
static_assert(DivBiasUp(1, 4) == 1 && DivBiasUp(0, 4) == 0);
static_assert(DivBiasUp(1, 8) == 0 && DivBiasUp(2, 8) == 1);

struct Case {
    int32_t a, b, roundUp, biasUp;
};

TEST_F(IntMathTest, DivisionsTruncateTowardZeroAndAdjust) {
    const Case cases[] = {
        {7, 2, 4, 4},
        {6, 2, 3, 3},
        {0, 5, 0, 0},
        {1, 1, 1, 1},
        {9, 4, 3, 3},
        {11, 4, 3, 3},
        {13, 8, 2, 2},
        {14, 8, 2, 2},
        {-7, 2, -2, -3},
        {7, -2, -2, -2},
        {100, 16, 7, 7},
        {102, 16, 7, 7},
        {INT32_MAX, 1, INT32_MAX, INT32_MAX},
        {INT32_MAX, 2, 1073741824, 1073741824},
        {5, 0, 0, 0},
        {8, 8, 1, 1},
        {9, 8, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " / " << c.b);
        EXPECT_EQ(DivRoundUp(c.a, c.b), c.roundUp);
        EXPECT_EQ(DivBiasUp(c.a, c.b), c.biasUp);
    }
}

TEST_F(IntMathTest, BiasUpRoundsUpFromAboutAQuarterOfTheDivisor) {
    for (int32_t b = 1; b <= 64; ++b) {
        int32_t h = b >> 1;
        int32_t threshold = b - h - (h >> 1);
        for (int32_t a = 0; a < 4 * b; ++a) {
            int32_t expected = a / b + (a % b >= threshold && a % b != 0 ? 1 : 0);
            ASSERT_EQ(DivBiasUp(a, b), expected) << a << " / " << b;
        }
    }
}

}  // namespace
