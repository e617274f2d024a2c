#include <Vantrel/ByteIO.h>

#include <algorithm>
#include <vector>

#include "support/TgaFile.h"
#include "support/VantrelTest.h"

namespace {

class ByteIOTest : public VantrelTest {
protected:
    ScratchFolder folder_;
};

TEST_F(ByteIOTest, WritesLittleEndianAndReadsItBack) {
    std::string path = folder_.PathOf("values.bin");
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    EXPECT_TRUE(WriteU8(out, 0xA1));
    EXPECT_TRUE(WriteU16(out, 0xB2C3));
    EXPECT_TRUE(WriteI16(out, -2));
    EXPECT_TRUE(WriteU32(out, 0xD4E5F607));
    EXPECT_TRUE(WriteI32(out, -3));
    std::fclose(out);

    std::FILE* in = std::fopen(path.c_str(), "rb");
    std::vector<uint8_t> bytes(32);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), in));
    const std::vector<uint8_t> expected = {0xA1, 0xC3, 0xB2, 0xFE, 0xFF, 0x07, 0xF6,
                                           0xE5, 0xD4, 0xFD, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(LoadU16(&bytes[1]), 0xB2C3);
    EXPECT_EQ(LoadI16(&bytes[3]), -2);
    EXPECT_EQ(LoadU32(&bytes[5]), 0xD4E5F607u);
    EXPECT_EQ(LoadI32(&bytes[9]), -3);

    std::rewind(in);
    uint8_t u8 = 0;
    uint16_t u16 = 0;
    int16_t i16 = 0;
    uint32_t u32 = 0;
    int32_t i32 = 0;
    EXPECT_EQ(BytesLeft(in), 13);
    EXPECT_TRUE(ReadU8(in, u8) && ReadU16(in, u16) && ReadI16(in, i16) && ReadU32(in, u32) &&
                ReadI32(in, i32));
    EXPECT_EQ(u8, 0xA1);
    EXPECT_EQ(u16, 0xB2C3);
    EXPECT_EQ(i16, -2);
    EXPECT_EQ(u32, 0xD4E5F607u);
    EXPECT_EQ(i32, -3);
    EXPECT_EQ(BytesLeft(in), 0);
    std::fclose(in);
}

TEST_F(ByteIOTest, ShortReadsFailAndLeaveTheValueAlone) {
    for (size_t available = 0; available < 4; ++available) {
        SCOPED_TRACE(available);
        std::string path = folder_.Write("short.bin", std::vector<uint8_t>(available, 0x11));
        std::FILE* in = std::fopen(path.c_str(), "rb");
        uint32_t u32 = 0xCAFE;
        int32_t i32 = 7;
        EXPECT_FALSE(ReadU32(in, u32));
        EXPECT_EQ(u32, 0xCAFEu);
        std::rewind(in);
        EXPECT_FALSE(ReadI32(in, i32));
        EXPECT_EQ(i32, 7);
        std::rewind(in);
        uint16_t u16 = 5;
        EXPECT_EQ(ReadU16(in, u16), available >= 2);
        EXPECT_EQ(u16, available >= 2 ? 0x1111 : 5);
        std::fclose(in);
    }
}

TEST_F(ByteIOTest, BytesLeftKeepsThePosition) {
    std::string path = folder_.Write("ten.bin", std::vector<uint8_t>(10, 1));
    std::FILE* in = std::fopen(path.c_str(), "rb");
    std::fseek(in, 3, SEEK_SET);
    EXPECT_EQ(BytesLeft(in), 7);
    EXPECT_EQ(std::ftell(in), 3);
    std::fclose(in);
}

// Known answers for the size question and the staged read, for payloads
// below, at and above what the file holds, from a position inside it.
TEST_F(ByteIOTest, RoomAndStagedReadsAgreeWithWhatTheFileHolds) {
    std::vector<uint8_t> content(200000);
    for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<uint8_t>(i * 7 + 3);
    const std::string path = folder_.Write("staged.bin", content);
    const struct {
        uint64_t count;
        StreamRoom room;
        bool read;
    } cases[] = {
        {0, StreamRoom::kEnough, true},          {1, StreamRoom::kEnough, true},
        {199990, StreamRoom::kEnough, true},     {199991, StreamRoom::kShort, false},
        {1ull << 40, StreamRoom::kShort, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        StreamInUse in(path.c_str(), nullptr, "rb");
        ASSERT_TRUE(in);
        std::fseek(in.get(), 10, SEEK_SET);
        EXPECT_EQ(RoomFor(in.get(), c.count), c.room);
        EXPECT_EQ(std::ftell(in.get()), 10);
        std::vector<uint8_t> bytes;
        EXPECT_EQ(ReadStaged(in.get(), c.count, bytes), c.read);
        // Whatever was asked, only the bytes that arrived are held.
        const size_t arrived = std::min<uint64_t>(c.count, 199990);
        ASSERT_EQ(bytes.size(), arrived);
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), content.begin() + 10));
    }
}

TEST_F(ByteIOTest, AStreamInUseIsBorrowedOrOpenedAndClosedHere) {
    const std::string path = folder_.Write("one.bin", std::vector<uint8_t>{42});
    std::FILE* own = std::fopen(path.c_str(), "rb");
    {
        StreamInUse borrowed(folder_.PathOf("absent").c_str(), own, "rb");
        EXPECT_EQ(borrowed.get(), own);
        EXPECT_TRUE(borrowed.Close());
    }
    EXPECT_EQ(std::fgetc(own), 42) << "a borrowed stream stays open";
    std::fclose(own);
    EXPECT_FALSE(StreamInUse(folder_.PathOf("absent").c_str(), nullptr, "rb"));
    EXPECT_FALSE(StreamInUse(nullptr, nullptr, "rb"));
    StreamInUse opened(path.c_str(), nullptr, "rb");
    ASSERT_TRUE(opened);
    EXPECT_EQ(std::fgetc(opened.get()), 42);
    EXPECT_TRUE(opened.Close());
    EXPECT_EQ(opened.get(), nullptr);
}

}  // namespace
