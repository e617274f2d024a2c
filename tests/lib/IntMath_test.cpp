#include <Vantrel/IntMath.h>

#include <vector>

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

// Known answers for a = 0 .. 2b: a / b rounded up once the remainder reaches
// about a quarter of b (b = 8: from 2; b = 16: from 4; b = 7: from 3).
TEST_F(IntMathTest, BiasUpRoundsUpFromAboutAQuarterOfTheDivisor) {
    const struct {
        int32_t b;
        std::vector<int32_t> quotients;
    } cases[] = {
        {1, {0, 1, 2}},
        {2, {0, 1, 1, 2, 2}},
        {3, {0, 0, 1, 1, 1, 2, 2}},
        {4, {0, 1, 1, 1, 1, 2, 2, 2, 2}},
        {5, {0, 0, 1, 1, 1, 1, 1, 2, 2, 2, 2}},
        {7, {0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2}},
        {8, {0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2}},
        {16, {0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
              1, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(c.quotients.size(), static_cast<size_t>(2 * c.b + 1));
        for (int32_t a = 0; a <= 2 * c.b; ++a)
            EXPECT_EQ(DivBiasUp(a, c.b), c.quotients[static_cast<size_t>(a)]) << a << " / " << c.b;
    }
}

}  // namespace
