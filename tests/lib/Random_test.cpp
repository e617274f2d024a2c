#include <Vantrel/Random.h>

#include <ctime>
#include <vector>

#include "support/VantrelTest.h"

namespace {

class RandomTest : public VantrelTest {};

// Known answers: the first values after each seed. Only the seed's low 16
// bits matter, so 65535 and 0xFFFFFFFF give the same sequence.
TEST_F(RandomTest, SequencesFollowTheSeed) {
    struct Case {
        uint32_t seed;
        std::vector<uint32_t> values;
    };
    const Case cases[] = {
        {0, {1, 26894, 5047, 3916}},
        {1963, {34480, 1777, 13118, 2087}},
        {65535, {38644, 48741, 6178, 11195}},
        {0xFFFFFFFF, {38644, 48741, 6178, 11195}},
        {0x12345678, {39961, 11846, 3983, 28996}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seed);
        SetRandomSeed(c.seed);
        for (uint32_t v : c.values) EXPECT_EQ(Random16(), v);
        EXPECT_EQ(RandomSeed(), c.values.back()) << "the seed is the last value";
    }
}

TEST_F(RandomTest, StartSeedIs1963AndEveryValueComesOncePerPeriod) {
    EXPECT_EQ(RandomSeed(), 1963u);
    std::vector<bool> seen(65536, false);
    for (int i = 0; i < 65536; ++i) {
        uint32_t v = Random16();
        ASSERT_LT(v, 65536u);
        ASSERT_FALSE(seen[v]) << "after " << i;
        seen[v] = true;
    }
    EXPECT_EQ(Random16(), 34480u) << "the period is 65536";
}

TEST_F(RandomTest, RandomBelowScalesAndDoesNotAdvanceForZeroOrOne) {
    for (uint32_t n : {0u, 1u}) {
        SetRandomSeed(77);
        EXPECT_EQ(RandomBelow(n), 0u);
        EXPECT_EQ(RandomSeed(), 77u);
    }
    // Known answers from seed 5, whose values are 3394, 48731, 64928, 33057,
    // 6062, 37335: each scaled to n and rounded down.
    const struct {
        uint32_t n;
        std::vector<uint32_t> values;
    } cases[] = {
        {2, {0, 1, 1, 1, 0, 1}},
        {3, {0, 2, 2, 1, 0, 1}},
        {100, {5, 74, 99, 50, 9, 56}},
        {65535, {3393, 48730, 64927, 33056, 6061, 37334}},
        {65536, {3394, 48731, 64928, 33057, 6062, 37335}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.n);
        SetRandomSeed(5);
        for (uint32_t v : c.values) EXPECT_EQ(RandomBelow(c.n), v);
        for (int i = 0; i < 1000; ++i) ASSERT_LT(RandomBelow(c.n), c.n);
    }
    SetRandomSeed(0);
    EXPECT_EQ(RandomBelow(2), 0u) << "1 has its top bit clear";
    EXPECT_EQ(RandomBelow(2), 0u) << "26894 too";
    SetRandomSeed(1963);
    EXPECT_EQ(RandomBelow(2), 1u) << "34480 has it set";
}

// Known answers: the high byte of each value, modulo 100 (34480 = 0x86B0
// gives 134 % 100 = 34).
TEST_F(RandomTest, PercentIsTheHighByteModulo100) {
    const struct {
        uint32_t seed;
        std::vector<uint32_t> values;
    } cases[] = {
        {0, {0, 5, 19, 15, 42, 50, 26, 29}},
        {1963, {34, 6, 51, 8, 4, 76, 15, 66}},
        {4242, {85, 77, 22, 31, 45, 59, 36, 76}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.seed);
        SetRandomSeed(c.seed);
        for (uint32_t v : c.values) EXPECT_EQ(RandomPercent(), v);
    }
}

TEST_F(RandomTest, SeedFromTimeTakesTheCalendarSeconds) {
    uint32_t before = static_cast<uint32_t>(std::time(nullptr));
    SeedRandomFromTime();
    uint32_t after = static_cast<uint32_t>(std::time(nullptr));
    EXPECT_GE(RandomSeed(), before);
    EXPECT_LE(RandomSeed(), after);
}

}  // namespace
