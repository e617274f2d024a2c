#include <Vantrel/ByteList.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/TgaFile.h"
#include "support/VantrelTest.h"

namespace {

class ByteListTest : public VantrelTest {
protected:
    static std::vector<uint8_t> Contents(const ByteList& list) {
        return std::vector<uint8_t>(list.Data(), list.Data() + list.Count());
    }
    static void Fill(ByteList& list, const std::vector<uint8_t>& bytes) {
        for (uint8_t b : bytes) list.Add(b);
    }
    // Writes bytes to a file and opens it for reading.
    std::FILE* StreamOf(const std::vector<uint8_t>& bytes) {
        return std::fopen(folder_.Write("list.bin", bytes).c_str(), "rb");
    }
    ScratchFolder folder_;
};

TEST_F(ByteListTest, AddGrowsByEight) {
    ByteList list(8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(list.Add(uint8_t(i)), i);
    EXPECT_EQ(list.Capacity(), 8);
    EXPECT_EQ(list.Add(8), 8);
    EXPECT_EQ(list.Capacity(), 16);
    ByteList empty(0);
    EXPECT_EQ(empty.Add(1), 0);
    EXPECT_EQ(empty.Capacity(), 8);
}

TEST_F(ByteListTest, InsertPlacesTheByteOrLeavesItAtTheEnd) {
    struct Case {
        int32_t position;
        int32_t index;
        std::vector<uint8_t> after;
    };
    const Case cases[] = {
        {0, 0, {9, 1, 2, 3}}, {1, 1, {1, 9, 2, 3}}, {2, 2, {1, 2, 9, 3}},
        {3, 3, {1, 2, 3, 9}}, {7, 3, {1, 2, 3, 9}}, {-2, 3, {1, 2, 3, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        ByteList list(3);  // the insert also has to grow
        Fill(list, {1, 2, 3});
        EXPECT_EQ(list.Insert(9, c.position), c.index);
        EXPECT_EQ(Contents(list), c.after);
    }
}

TEST_F(ByteListTest, RemovalsFindAndGet) {
    ByteList list(8);
    Fill(list, {0x41, 0x42, 0x43, 0x42});
    EXPECT_EQ(list.Find(0x41), 1) << "index + 1";
    EXPECT_EQ(list.Find(0x42), 2);
    EXPECT_EQ(list.Find(0x44), 0);
    list.RemoveValue(0x42);
    EXPECT_EQ(Contents(list), (std::vector<uint8_t>{0x41, 0x43, 0x42}));
    list.RemoveValue(0x99);
    list.RemoveAt(3);
    list.RemoveAt(-1);
    EXPECT_EQ(list.Count(), 3);
    list.RemoveAt(0);
    EXPECT_EQ(Contents(list), (std::vector<uint8_t>{0x43, 0x42}));
    EXPECT_EQ(list.Get(1), 0x42);
    EXPECT_EQ(list.Get(2), 0);
    EXPECT_EQ(list.Get(-1), 0);
}

TEST_F(ByteListTest, SetExtendsWithZeros) {
    ByteList list(4);
    Fill(list, {7, 7, 7, 7});
    list.RemoveAt(3);
    list.RemoveAt(2);
    EXPECT_TRUE(list.Set(3, 5));
    EXPECT_EQ(Contents(list), (std::vector<uint8_t>{7, 7, 0, 5}))
        << "bytes left behind by removals do not come back";
    EXPECT_EQ(list.Capacity(), 4);
    EXPECT_TRUE(list.Set(9, 1));
    EXPECT_EQ(list.Capacity(), 10) << "exactly index + 1";
    EXPECT_EQ(Contents(list), (std::vector<uint8_t>{7, 7, 0, 5, 0, 0, 0, 0, 0, 1}));
    EXPECT_TRUE(list.Set(0, 2));
    EXPECT_EQ(list.Get(0), 2);
    EXPECT_FALSE(list.Set(-1, 2));
    EXPECT_EQ(list.Count(), 10);
}

TEST_F(ByteListTest, WritesCountThenBytes) {
    struct Case {
        std::vector<uint8_t> bytes;
        std::vector<uint8_t> file;
    };
    std::vector<uint8_t> many(300, 0xAB);
    std::vector<uint8_t> manyFile(4 + many.size(), 0xAB);
    manyFile[0] = 0x2C, manyFile[1] = 0x01, manyFile[2] = 0, manyFile[3] = 0;
    const Case cases[] = {
        {{0x41, 0x42}, {2, 0, 0, 0, 0x41, 0x42}},
        {{}, {0, 0, 0, 0}},
        {many, manyFile},
    };
    for (const Case& c : cases) {
        ByteList list(0);
        Fill(list, c.bytes);
        std::string path = folder_.PathOf("out.bin");
        std::FILE* out = std::fopen(path.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        EXPECT_TRUE(list.Write(out));
        std::fclose(out);
        std::FILE* in = std::fopen(path.c_str(), "rb");
        std::vector<uint8_t> file(c.file.size() + 1);
        file.resize(std::fread(file.data(), 1, file.size(), in));
        std::fclose(in);
        EXPECT_EQ(file, c.file);

        ByteList back(2);
        std::FILE* again = StreamOf(file);
        EXPECT_TRUE(back.Read(again));
        std::fclose(again);
        EXPECT_EQ(Contents(back), c.bytes);
    }
}

TEST_F(ByteListTest, ReadPadsMissingBytesAndRefusesDamagedCounts) {
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        bool ok;
        std::vector<uint8_t> contents;
    };
    const Case cases[] = {
        {"two of four bytes", {4, 0, 0, 0, 1, 2}, false, {1, 2, 0xFF, 0xFF}},
        {"no bytes at all", {3, 0, 0, 0}, false, {0xFF, 0xFF, 0xFF}},
        {"count cut short", {3, 0}, false, {}},
        {"empty file", {}, false, {}},
        {"negative count", {0xFF, 0xFF, 0xFF, 0xFF, 1}, true, {}},
        {"huge count", {0xFF, 0xFF, 0xFF, 0x7F, 1, 2}, false, {}},
        {"just above the limit", {1, 0, 0, 1, 1}, false, {}},
        {"trailing bytes stay", {1, 0, 0, 0, 5, 6}, true, {5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ByteList list(8);
        Fill(list, {9, 9, 9});
        std::FILE* in = StreamOf(c.file);
        EXPECT_EQ(list.Read(in), c.ok);
        std::fclose(in);
        EXPECT_EQ(Contents(list), c.contents);
        EXPECT_LE(list.Capacity(), 8 + static_cast<int32_t>(c.contents.size()))
            << "nothing allocated for bytes that are not there";
    }
}

}  // namespace
