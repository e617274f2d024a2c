#include <Vantrel/Random.h>

#include <ctime>
#include <vector>

#include "support/VantrelTest.h"

namespace {

class RandomTest : public VantrelTest {};

TEST_F(RandomTest, SequencesFollowTheSeed) {
    struct Case {
        uint32_t seed;
        std::vector<uint32_t> values;
    };
    const Case cases[] = {
        {0, {1, 26894}},
        {1963, {34480}},
        {65535, {(65535u * 3172621u + 1u) % 65536u}},
        {0x12345678, {(0x12345678u * 3172621u + 1u) % 65536u}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seed);
        SetRandomSeed(c.seed);
        for (uint32_t v : c.values) EXPECT_EQ(Random16(), v);
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
    for (uint32_t n : {2u, 3u, 100u, 65535u, 65536u}) {
        SCOPED_TRACE(n);
        SetRandomSeed(5);
        for (int i = 0; i < 1000; ++i) {
            uint32_t expected = (((RandomSeed() * 3172621u + 1u) % 65536u) * n) >> 16;
            uint32_t value = RandomBelow(n);
            ASSERT_EQ(value, expected);
            ASSERT_LT(value, n);
        }
    }
    SetRandomSeed(0);
    EXPECT_EQ(RandomBelow(2), 0u) << "1 has its top bit clear";
    EXPECT_EQ(RandomBelow(2), 0u) << "26894 too";
    SetRandomSeed(1963);
    EXPECT_EQ(RandomBelow(2), 1u) << "34480 has it set";
}

TEST_F(RandomTest, PercentIsTheHighByteModulo100) {
    for (uint32_t seed : {0u, 1963u, 4242u}) {
        SetRandomSeed(seed);
        for (int i = 0; i < 300; ++i) {
            uint32_t next = (RandomSeed() * 3172621u + 1u) % 65536u;
            ASSERT_EQ(RandomPercent(), (next >> 8) % 100);
        }
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
