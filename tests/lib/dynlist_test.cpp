#include <Vantrel/dynlist.h>

#include <vector>

#include "support/VantrelTest.h"

namespace {

class DynListTest : public VantrelTest {};

// Distinct non-null element values.
const char* Item(int i) {
    static const char text[64] = {};
    return text + i;
}

TEST_F(DynListTest, GrowsByEightWhenFull) {
    struct Case {
        int32_t initial;
        int adds;
        int32_t capacity;
    };
    const Case cases[] = {{8, 8, 8}, {8, 9, 16}, {8, 17, 24}, {0, 1, 8}, {3, 4, 11}, {1, 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.initial << " + " << c.adds);
        const int blocks = CountBlocks();
        {
            DynList<const char*> list(c.initial);
            for (int i = 0; i < c.adds; ++i) ASSERT_EQ(list.Add(Item(i)), i);
            EXPECT_EQ(list.Count(), c.adds);
            EXPECT_EQ(list.Capacity(), c.capacity);
            for (int i = 0; i < c.adds; ++i) EXPECT_EQ(list.Get(i), Item(i));
            EXPECT_EQ(CountBlocks(), blocks + 1) << "one tracked block, moved on growth";
        }
        EXPECT_EQ(CountBlocks(), blocks);
    }
}

TEST_F(DynListTest, GetOutsideTheListIsNull) {
    DynList<const char*> list(8);
    list.Add(Item(1));
    list.Add(Item(2));
    for (int32_t index : {-1, 2, 7, 8, INT32_MIN, INT32_MAX}) EXPECT_EQ(list.Get(index), nullptr);
}

TEST_F(DynListTest, RemoveAtMovesTheTailDownAndNullsTheFreedEntry) {
    struct Case {
        int32_t index;
        std::vector<int> left;
    };
    const Case cases[] = {
        {0, {1, 2, 3}}, {2, {0, 1, 3}}, {3, {0, 1, 2}}, {4, {0, 1, 2, 3}}, {-1, {0, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        DynList<const char*> list(8);
        for (int i = 0; i < 4; ++i) list.Add(Item(i));
        list.RemoveAt(c.index);
        ASSERT_EQ(list.Count(), static_cast<int32_t>(c.left.size()));
        for (size_t i = 0; i < c.left.size(); ++i) EXPECT_EQ(list.Get(int32_t(i)), Item(c.left[i]));
        // The entry past the count is null again: a later Add sees clean storage.
        list.Clear();
        EXPECT_EQ(list.Count(), 0);
        EXPECT_EQ(list.Capacity(), 8);
    }
}

TEST_F(DynListTest, ClearKeepsTheStorageForReuse) {
    DynList<void*> list(2);
    for (int i = 0; i < 10; ++i) list.Add(&list);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Capacity(), 10);
    EXPECT_EQ(list.Get(0), nullptr);
    EXPECT_EQ(list.Add(nullptr), 0);
}

}  // namespace
