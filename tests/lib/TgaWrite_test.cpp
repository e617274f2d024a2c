#include <Vantrel/TgaWrite.h>

#include <Vantrel/DebugAlloc.h>
#include <Vantrel/Tga.h>

#include <filesystem>
#include <vector>

#include "support/TgaFile.h"
#include "support/VantrelTest.h"

namespace {

class TgaWriteTest : public VantrelTest {
protected:
    ScratchFolder folder_;
};

// What the writer stores, the library's reader gives back, in either row
// order, with or without a fourth byte; the header is the accepted template.
TEST_F(TgaWriteTest, WrittenFilesReadBack) {
    constexpr int32_t kWidth = 5;
    constexpr int32_t kHeight = 3;
    const std::vector<uint8_t> rgb = RandomRgb(kWidth, kHeight, 11);
    const std::vector<uint8_t> fourth(kWidth * kHeight, 0x5A);
    for (TgaRowOrder order : {TgaRowOrder::TopFirst, TgaRowOrder::BottomFirst}) {
        for (const uint8_t* extra : {static_cast<const uint8_t*>(nullptr), fourth.data()}) {
            SCOPED_TRACE(testing::Message() << (order == TgaRowOrder::TopFirst ? "top" : "bottom")
                                            << (extra != nullptr ? " 32" : " 24"));
            const std::vector<uint8_t> bytes =
                EncodeTgaRgb(kWidth, kHeight, rgb.data(), order, extra);
            ASSERT_EQ(bytes.size(), 18u + kWidth * kHeight * (extra != nullptr ? 4u : 3u));
            EXPECT_EQ(bytes[2], 2);
            EXPECT_EQ(bytes[16], extra != nullptr ? 32 : 24);
            EXPECT_EQ(bytes[17],
                      (order == TgaRowOrder::TopFirst ? 0x20 : 0) | (extra != nullptr ? 0x08 : 0));
            const std::string path = folder_.PathOf("picture.tga");
            ASSERT_TRUE(WriteTgaFile(path.c_str(), bytes));
            int32_t width = 0;
            int32_t height = 0;
            uint8_t* read = ReadTgaRgb(path.c_str(), nullptr, width, height);
            ASSERT_NE(read, nullptr);
            EXPECT_EQ(std::vector<uint8_t>(read, read + rgb.size()), rgb);
            DebugFree(read);
        }
    }
    const std::vector<uint8_t> grey = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(EncodeTgaGrey(3, 2, grey.data(), TgaRowOrder::BottomFirst),
              (std::vector<uint8_t>{0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                    3, 0, 2, 0, 8, 0, 4, 5, 6, 1, 2, 3}));
}

TEST_F(TgaWriteTest, SizesATgaCannotHoldAndUnwritableFilesGiveNothing) {
    const std::vector<uint8_t> pixel(3, 9);
    EXPECT_TRUE(EncodeTgaRgb(0, 1, pixel.data(), TgaRowOrder::TopFirst).empty());
    EXPECT_TRUE(EncodeTgaRgb(65536, 1, pixel.data(), TgaRowOrder::TopFirst).empty());
    EXPECT_TRUE(EncodeTgaGrey(1, -1, pixel.data(), TgaRowOrder::TopFirst).empty());
    const std::string nowhere = folder_.PathOf("missing/picture.tga");
    EXPECT_FALSE(
        WriteTgaFile(nowhere.c_str(), EncodeTgaRgb(1, 1, pixel.data(), TgaRowOrder::TopFirst)));
    EXPECT_FALSE(std::filesystem::exists(nowhere));
    EXPECT_FALSE(WriteTgaFile(folder_.PathOf("empty.tga").c_str(), {}));
    EXPECT_FALSE(std::filesystem::exists(folder_.PathOf("empty.tga")));
}

}  // namespace
