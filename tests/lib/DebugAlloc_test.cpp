#include <Vantrel/DebugAlloc.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "support/VantrelTest.h"

namespace {

constexpr const char* kSource = "tests\\DebugAlloc";

class DebugAllocTest : public VantrelTest {};

// Overwrites count bytes at at with 0x00 and puts them back on destruction,
// so a test can damage a guard and still free the block afterwards.
class Damage {
public:
    Damage(unsigned char* at, size_t count) : at_(at), saved_(at, at + count) {
        std::memset(at, 0, count);
    }
    ~Damage() { std::memcpy(at_, saved_.data(), saved_.size()); }

private:
    unsigned char* at_;
    std::vector<unsigned char> saved_;
};

TEST_F(DebugAllocTest, FreshBlocksAreFilledAlignedAndLive) {
    for (size_t size : {size_t{0}, size_t{1}, size_t{3}, size_t{16}, size_t{1000}}) {
        SCOPED_TRACE(size);
        auto* p = static_cast<unsigned char*>(DebugAlloc(size, kSource, 42));
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % alignof(std::max_align_t), 0u);
        for (size_t i = 0; i < size; ++i) ASSERT_EQ(p[i], 0xEF);
        EXPECT_EQ(BlockStatus(p), kBlockLive);
        EXPECT_EQ(CheckBlock(p), kBlockLive);
        EXPECT_EQ(BlockSize(p), size);
        EXPECT_EQ(BlockSource(p), kSource);
        EXPECT_EQ(BlockLine(p), 42);
        DebugFree(p);
    }
}

TEST_F(DebugAllocTest, ZeroSizeBlockHasItsTrailerAtTheReturnedAddress) {
    auto* p = static_cast<unsigned char*>(DebugAlloc(0, kSource, 1));
    {
        Damage trailer(p, 1);
        EXPECT_EQ(BlockStatus(p), kBlockBadTrailer);
    }
    EXPECT_EQ(BlockStatus(p), kBlockLive);
    DebugFree(p);
}

TEST_F(DebugAllocTest, DamagedBlocksAreReportedAndNotFreed) {
    const int blocks = CountBlocks();
    auto* p = static_cast<unsigned char*>(DebugAlloc(10, kSource, 1));
    struct Case {
        const char* what;
        unsigned char* at;
        int status;
    };
    const Case cases[] = {
        {"one byte past the end", p + 10, kBlockBadTrailer},
        {"last trailer byte", p + 13, kBlockBadTrailer},
        {"guard word in front", p - 1, kBlockBadGuard},
        {"first guard byte", p - 4, kBlockBadGuard},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Damage damage(c.at, 1);
        EXPECT_EQ(BlockStatus(p), c.status);
        EXPECT_EQ(CheckBlock(p), c.status);
        EXPECT_EQ(BlockSize(p), 0u);
        DebugFree(p);
        // Still in the table (counted only while its guard word is live).
        EXPECT_EQ(CountBlocks(), c.status == kBlockBadTrailer ? blocks + 1 : blocks);
        EXPECT_EQ(DebugRealloc(p, 20, kSource, 2), nullptr) << "and is not handed to the heap";
    }
    EXPECT_EQ(BlockStatus(p), kBlockLive);
    DebugFree(p);
    EXPECT_EQ(CountBlocks(), blocks);
}

TEST_F(DebugAllocTest, NullForeignAndFreedPointersAreToldApartAndIgnored) {
    EXPECT_EQ(BlockStatus(nullptr), kBlockNull);
    EXPECT_EQ(CheckBlock(nullptr), kBlockNull);
    EXPECT_EQ(BlockSize(nullptr), 0u);
    DebugFree(nullptr);

    // A heap may hand out again an address a freed tracked block had (the
    // Windows heap often does), and such an address is told as freed. A
    // pointer 8 bytes into a heap block is never one the allocator handed out
    // (those are 16-byte aligned), on any heap.
    auto* heapBlock = static_cast<unsigned char*>(std::malloc(64));
    ASSERT_NE(heapBlock, nullptr);
    void* foreign = heapBlock + 8;
    int onStack = 0;
    EXPECT_EQ(BlockStatus(foreign), kBlockBadGuard);
    EXPECT_EQ(BlockStatus(&onStack), kBlockBadGuard);
    DebugFree(foreign);
    DebugFree(&onStack);
    std::free(heapBlock);

    void* p = DebugAlloc(8, kSource, 1);
    const int blocks = CountBlocks();
    DebugFree(p);
    EXPECT_EQ(CountBlocks(), blocks - 1);
    EXPECT_EQ(BlockStatus(p), kBlockFreed);
    DebugFree(p);  // a second free changes nothing
    EXPECT_EQ(CountBlocks(), blocks - 1);
    EXPECT_EQ(DebugRealloc(p, 16, kSource, 2), nullptr) << "a freed block is refused";
}

TEST_F(DebugAllocTest, ReallocMovesKeepsThePrefixAndFreesTheOldBlock) {
    struct Case {
        size_t from, to;
    };
    for (const Case& c : {Case{8, 3}, Case{8, 8}, Case{8, 20}, Case{0, 5}, Case{5, 0}}) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        auto* old = static_cast<unsigned char*>(DebugAlloc(c.from, kSource, 1));
        for (size_t i = 0; i < c.from; ++i) old[i] = static_cast<unsigned char>(i + 1);
        const int blocks = CountBlocks();
        auto* fresh = static_cast<unsigned char*>(DebugRealloc(old, c.to, "tests\\other", 77));
        ASSERT_NE(fresh, nullptr);
        EXPECT_EQ(CountBlocks(), blocks);
        EXPECT_EQ(BlockStatus(old), fresh == old ? kBlockLive : kBlockFreed);
        EXPECT_EQ(BlockSize(fresh), c.to);
        EXPECT_EQ(BlockLine(fresh), 77);
        for (size_t i = 0; i < c.to; ++i) {
            ASSERT_EQ(fresh[i], i < c.from ? i + 1 : 0xEF) << i;
        }
        DebugFree(fresh);
    }
}

TEST_F(DebugAllocTest, ReallocOfNullOrAForeignBlockUsesTheOrdinaryHeap) {
    const int blocks = CountBlocks();
    void* p = DebugRealloc(nullptr, 32, kSource, 1);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(BlockStatus(p), kBlockBadGuard) << "not tracked";
    p = DebugRealloc(p, 4096, kSource, 2);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(CountBlocks(), blocks);
    std::free(p);
}

TEST_F(DebugAllocTest, CallocStrdupAndArraysRefuseOverflow) {
    auto* zeros = static_cast<unsigned char*>(DebugCalloc(7, 3, kSource, 1));
    ASSERT_NE(zeros, nullptr);
    EXPECT_EQ(BlockSize(zeros), 21u);
    for (int i = 0; i < 21; ++i) EXPECT_EQ(zeros[i], 0);
    DebugFree(zeros);

    char* copy = DebugStrdup("Vantrel", kSource, 1);
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy, "Vantrel");
    EXPECT_EQ(BlockSize(copy), 8u);
    DebugFree(copy);

    EXPECT_EQ(DebugCalloc(SIZE_MAX / 2, 3, kSource, 1), nullptr);
    EXPECT_EQ(DebugAllocArray<uint64_t>(SIZE_MAX / 4, kSource, 1), nullptr);
    EXPECT_EQ(DebugAlloc(SIZE_MAX - 8, kSource, 1), nullptr);
}

TEST_F(DebugAllocTest, ManyBlocksFreedInAnyOrderKeepTheTableRight) {
    const int blocks = CountBlocks();
    const size_t live = LiveTrackedBytes();
    std::vector<void*> pointers;
    for (int i = 0; i < 2000; ++i) pointers.push_back(DebugAlloc(i % 37, kSource, i));
    EXPECT_EQ(CountBlocks(), blocks + 2000);
    std::shuffle(pointers.begin(), pointers.end(), std::mt19937(5));
    for (size_t i = 0; i < pointers.size(); ++i) {
        ASSERT_EQ(CheckBlock(pointers[i]), kBlockLive);
        DebugFree(pointers[i]);
        ASSERT_EQ(CheckBlock(pointers[i]), kBlockFreed);
        if (i + 1 < pointers.size()) {
            ASSERT_EQ(CheckBlock(pointers[i + 1]), kBlockLive);
        }
    }
    EXPECT_EQ(CountBlocks(), blocks);
    EXPECT_EQ(LiveTrackedBytes(), live);
}

TEST_F(DebugAllocTest, FreedAddressesAreRememberedForTheLast65536Frees) {
    // All live at once, so every address is distinct; then freed in order.
    std::vector<void*> pointers;
    for (int i = 0; i < 65536 + 100; ++i) pointers.push_back(DebugAlloc(1, kSource, i));
    for (void* p : pointers) DebugFree(p);
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(BlockStatus(pointers[i]), kBlockBadGuard) << "forgotten: " << i;
    }
    for (size_t i = 100; i < pointers.size(); ++i) {
        ASSERT_EQ(BlockStatus(pointers[i]), kBlockFreed) << i;
    }
}

TEST_F(DebugAllocTest, PeakBytesFollowTheLargestMomentSinceReset) {
    ResetPeakTrackedBytes();
    const size_t base = LiveTrackedBytes();
    void* a = DebugAlloc(1000, kSource, 1);
    void* b = DebugAlloc(500, kSource, 1);
    DebugFree(a);
    void* c = DebugAlloc(100, kSource, 1);
    EXPECT_EQ(PeakTrackedBytes(), base + 1500);
    EXPECT_EQ(LiveTrackedBytes(), base + 600);
    DebugFree(b);
    DebugFree(c);
    ResetPeakTrackedBytes();
    EXPECT_EQ(PeakTrackedBytes(), base);
}

}  // namespace
