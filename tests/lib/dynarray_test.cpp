#include <Vantrel/dynarray.h>

#include "support/VantrelTest.h"

namespace {

class DynArrayTest : public VantrelTest {};

int marker[4];

TEST_F(DynArrayTest, SetGrowsToExactlyTheIndexWrittenWithNullsBetween) {
    struct Case {
        int32_t initial, index, size;
    };
    const Case cases[] = {{16, 20, 21}, {16, 15, 16}, {16, 16, 17},
                          {0, 0, 1},    {0, 5, 6},    {4, 100, 101}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.initial << " set " << c.index);
        DynArray<int*> array(c.initial);
        array.Set(0, &marker[0]);
        EXPECT_TRUE(array.Set(c.index, &marker[1]));
        EXPECT_EQ(array.Size(), c.size);
        for (int32_t i = 1; i < c.size; ++i) {
            ASSERT_EQ(array.Get(i), i == c.index ? &marker[1] : nullptr) << i;
        }
        if (c.index != 0) {
            EXPECT_EQ(array.Get(0), &marker[0]) << "kept across the move";
        }
    }
}

TEST_F(DynArrayTest, GetOutsideAndNegativeSetAreHarmless) {
    DynArray<int*> array(16);
    array.Set(3, &marker[2]);
    for (int32_t index : {-1, 16, 17, INT32_MIN, INT32_MAX}) EXPECT_EQ(array.Get(index), nullptr);
    EXPECT_FALSE(array.Set(-1, &marker[0]));
    EXPECT_FALSE(array.Set(INT32_MAX, &marker[0]));
    EXPECT_EQ(array.Size(), 16);
    EXPECT_EQ(array.Get(3), &marker[2]);
}

}  // namespace
