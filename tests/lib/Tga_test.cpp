#include <Vantrel/Tga.h>

#include <cstring>

#include <Vantrel/ByteIO.h>
#include "support/TgaFile.h"
#include "support/VantrelTest.h"

namespace {

class TgaTest : public VantrelTest {
protected:
    ScratchFolder folder_;

    // Reads with the library reader; the result is copied and freed at once.
    struct Result {
        bool ok = false;
        int32_t width = -1;
        int32_t height = -1;
        std::vector<uint8_t> rgb;
    };
    Result Read(const std::string& path) {
        Result r;
        uint8_t* image = ReadTgaRgb(path.c_str(), nullptr, r.width, r.height);
        if (image != nullptr) {
            r.ok = true;
            r.rgb.assign(image, image + static_cast<size_t>(r.width) * r.height * 3);
            EXPECT_EQ(BlockSource(image), kBitmapSource);
            DebugFree(image);
        }
        return r;
    }
    Result ReadBytesAsFile(const std::vector<uint8_t>& bytes) {
        return Read(folder_.Write("image.tga", bytes));
    }
};

struct ImageCase {
    uint16_t width, height;
    uint8_t depth, descriptor;
};

TEST_F(TgaTest, ReadsEveryShapeDepthAndRowOrder) {
    const ImageCase cases[] = {
        {1, 1, 24, 0x00},
        {1, 1, 32, 0x20},
        {2, 3, 24, 0x00},
        {2, 3, 24, 0x20},
        {3, 5, 32, 0x00},
        {7, 1, 24, 0x00},
        {1, 7, 32, 0x00},
        {5, 4, 24, 0x28},
        {64, 3, 32, 0x00},
        {101, 333, 24, 0},
        {100, 301, 32, 0x20},
        {20000, 5, 32, 0x00},  // one stored row is larger than a reading piece
        {300, 301, 24, 0x00},  // above the size read without asking the stream
        {40, 40, 32, 0x00},    // below it
        {300, 300, 32, 0x20},
        {4, 4, 24, 0xDF},  // descriptor bits other than 5 mean nothing
    };
    uint32_t seed = 1;
    for (const ImageCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " depth " << int(c.depth)
                                        << " descriptor " << int(c.descriptor));
        TgaLayout layout;
        layout.width = c.width;
        layout.height = c.height;
        layout.depth = c.depth;
        layout.descriptor = c.descriptor;
        std::vector<uint8_t> rgb = RandomRgb(c.width, c.height, seed++);
        Result r = ReadBytesAsFile(EncodeTga(layout, rgb, -1));
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.width, c.width);
        EXPECT_EQ(r.height, c.height);
        EXPECT_TRUE(r.rgb == rgb);
    }
}

TEST_F(TgaTest, SinglePixelComesOutAsRedGreenBlue) {
    TgaLayout layout;
    layout.width = layout.height = 1;
    layout.descriptor = 0;
    std::vector<uint8_t> bytes = TgaHeaderBytes(layout);
    bytes.insert(bytes.end(), {0x10, 0x20, 0x30});  // stored B, G, R
    Result r = ReadBytesAsFile(bytes);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.rgb, (std::vector<uint8_t>{0x30, 0x20, 0x10}));
}

TEST_F(TgaTest, BottomUpFileComesOutWithLastStoredRowFirst) {
    // 2 x 3, each stored row one grey level: rows 1, 2, 3 in storage order.
    for (uint8_t descriptor : {uint8_t{0x00}, uint8_t{0x20}}) {
        TgaLayout layout;
        layout.width = 2;
        layout.height = 3;
        layout.descriptor = descriptor;
        std::vector<uint8_t> bytes = TgaHeaderBytes(layout);
        for (uint8_t level = 1; level <= 3; ++level) bytes.insert(bytes.end(), 6, level);
        Result r = ReadBytesAsFile(bytes);
        ASSERT_TRUE(r.ok);
        std::vector<uint8_t> firstColumn = {r.rgb[0], r.rgb[6], r.rgb[12]};
        const std::vector<uint8_t> bottomUp = {3, 2, 1}, topDown = {1, 2, 3};
        EXPECT_EQ(firstColumn, descriptor == 0 ? bottomUp : topDown);
    }
}

TEST_F(TgaTest, FourthByteOfDepth32NeverReachesTheImage) {
    TgaLayout layout;
    layout.width = 9;
    layout.height = 5;
    layout.depth = 32;
    std::vector<uint8_t> rgb = RandomRgb(9, 5, 77);
    for (int fourth : {0x00, 0xFF, 0x80, -1}) {
        SCOPED_TRACE(fourth);
        EXPECT_EQ(ReadBytesAsFile(EncodeTga(layout, rgb, fourth)).rgb, rgb);
    }
}

// Header fields changed one at a time from a valid 2 x 2 24-bit file.
struct RefusedHeader {
    const char* what;
    void (*change)(TgaLayout&);
    bool sizeReported;  // width and height are set before the refusal
};

TEST_F(TgaTest, RefusesHeadersOutsideTheTrueColourTemplate) {
    const RefusedHeader cases[] = {
        {"greyscale type", [](TgaLayout& t) { t.imageType = 3; }, false},
        {"greyscale type, depth 8", [](TgaLayout& t) { t.imageType = 3, t.depth = 8; }, false},
        {"run-length true colour", [](TgaLayout& t) { t.imageType = 10; }, false},
        {"run-length greyscale", [](TgaLayout& t) { t.imageType = 11; }, false},
        {"colour-mapped", [](TgaLayout& t) { t.imageType = 1; }, false},
        {"identification length", [](TgaLayout& t) { t.idLength = 1; }, false},
        {"colour map type", [](TgaLayout& t) { t.colourMapType = 1; }, false},
        {"colour map fields", [](TgaLayout& t) { t.colourMapFields[4] = 24; }, false},
        {"x origin", [](TgaLayout& t) { t.xOrigin = 1; }, false},
        {"y origin", [](TgaLayout& t) { t.yOrigin = 256; }, false},
        {"depth 8", [](TgaLayout& t) { t.depth = 8; }, true},
        {"depth 16", [](TgaLayout& t) { t.depth = 16; }, true},
        {"depth 0", [](TgaLayout& t) { t.depth = 0; }, true},
        {"width 0", [](TgaLayout& t) { t.width = 0; }, true},
        {"height 0", [](TgaLayout& t) { t.height = 0; }, true},
    };
    for (const RefusedHeader& c : cases) {
        SCOPED_TRACE(c.what);
        TgaLayout layout;
        layout.width = 2;
        layout.height = 2;
        c.change(layout);
        std::vector<uint8_t> bytes = TgaHeaderBytes(layout);
        bytes.resize(bytes.size() + 64, 0x55);  // more than enough pixel bytes
        Result r = ReadBytesAsFile(bytes);
        EXPECT_FALSE(r.ok);
        if (c.sizeReported) {
            EXPECT_EQ(r.width, layout.width);
            EXPECT_EQ(r.height, layout.height);
        } else {
            EXPECT_EQ(r.width, -1);
            EXPECT_EQ(r.height, -1);
        }
    }
}

TEST_F(TgaTest, FileCutAtAnyOffsetGivesNullAndLeavesNothing) {
    for (uint8_t depth : {uint8_t{24}, uint8_t{32}}) {
        for (uint8_t descriptor : {uint8_t{0}, uint8_t{0x20}}) {
            TgaLayout layout;
            layout.width = 3;
            layout.height = 3;
            layout.depth = depth;
            layout.descriptor = descriptor;
            std::vector<uint8_t> whole = EncodeTga(layout, RandomRgb(3, 3, depth));
            for (size_t cut = 0; cut < whole.size(); ++cut) {
                SCOPED_TRACE(testing::Message() << "depth " << int(depth) << " cut " << cut);
                std::vector<uint8_t> bytes(whole.begin(), whole.begin() + cut);
                Result r = ReadBytesAsFile(bytes);
                EXPECT_FALSE(r.ok);
                EXPECT_EQ(r.width, cut >= 18 ? 3 : -1);
            }
            EXPECT_TRUE(ReadBytesAsFile(whole).ok);
        }
    }
}

TEST_F(TgaTest, HugeClaimInATinyFileFailsWithoutAllocating) {
    for (uint8_t depth : {uint8_t{24}, uint8_t{32}}) {
        TgaLayout layout;
        layout.width = layout.height = 65535;
        layout.depth = depth;
        for (size_t extra : {size_t{0}, size_t{1000}}) {
            std::vector<uint8_t> bytes = TgaHeaderBytes(layout);
            bytes.resize(bytes.size() + extra, 1);
            ResetPeakTrackedBytes();
            Result r = ReadBytesAsFile(bytes);
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.width, 65535);
            EXPECT_LT(PeakTrackedBytes(), size_t{1} << 20);
        }
    }
}

TEST_F(TgaTest, MissingFileGivesNull) {
    int32_t w = -1, h = -1;
    EXPECT_EQ(ReadTgaRgb(folder_.PathOf("absent.tga").c_str(), nullptr, w, h), nullptr);
    EXPECT_EQ(w, -1);
}

TEST_F(TgaTest, GivenStreamIsReadInPlaceAndLeftOpen) {
    // Two images back to back, then a trailing marker.
    TgaLayout a;
    a.width = 3, a.height = 2, a.depth = 32, a.descriptor = 0;
    TgaLayout b;
    b.width = 1, b.height = 4;
    std::vector<uint8_t> rgbA = RandomRgb(3, 2, 5), rgbB = RandomRgb(1, 4, 6);
    std::vector<uint8_t> bytes = EncodeTga(a, rgbA);
    std::vector<uint8_t> second = EncodeTga(b, rgbB);
    bytes.insert(bytes.end(), second.begin(), second.end());
    bytes.push_back(0x5A);
    std::string path = folder_.Write("two.tga", bytes);

    std::FILE* stream = std::fopen(path.c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    int32_t w = 0, h = 0;
    uint8_t* first = ReadTgaRgb("not used", stream, w, h);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(std::equal(rgbA.begin(), rgbA.end(), first));
    DebugFree(first);
    uint8_t* next = ReadTgaRgb(nullptr, stream, w, h);
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(w, 1);
    EXPECT_TRUE(std::equal(rgbB.begin(), rgbB.end(), next));
    DebugFree(next);
    EXPECT_EQ(std::fgetc(stream), 0x5A);
    // At the end now: a failing read still leaves the stream to its owner.
    EXPECT_EQ(ReadTgaRgb(nullptr, stream, w, h), nullptr);
    EXPECT_EQ(std::fclose(stream), 0);
}

TEST_F(TgaTest, ShortPixelsOnAGivenStreamLeaveItAtItsEnd) {
    // Small pixel data is read at once; larger is first compared with the
    // bytes the stream holds. Either way the stream ends up at its end.
    for (uint16_t size : {uint16_t{4}, uint16_t{300}}) {
        SCOPED_TRACE(size);
        TgaLayout layout;
        layout.width = size, layout.height = size, layout.depth = 32;
        std::vector<uint8_t> bytes = EncodeTga(layout, RandomRgb(size, size, 9));
        bytes.pop_back();
        std::string path = folder_.Write("short.tga", bytes);
        std::FILE* stream = std::fopen(path.c_str(), "rb");
        ASSERT_NE(stream, nullptr);
        int32_t w = 0, h = 0;
        EXPECT_EQ(ReadTgaRgb(nullptr, stream, w, h), nullptr);
        EXPECT_EQ(std::ftell(stream), static_cast<long>(bytes.size()));
        EXPECT_EQ(std::fclose(stream), 0);
    }
}

TEST_F(TgaTest, Rgb24To16TruncatesEveryChannelValueInTheActiveLayout) {
    // 256 x 256 pixels: r = column, g = row, b = their difference.
    std::vector<uint8_t> rgb;
    for (int g = 0; g < 256; ++g)
        for (int r = 0; r < 256; ++r)
            rgb.insert(rgb.end(), {uint8_t(r), uint8_t(g), uint8_t(r - g)});
    for (int layout = 0; layout < 2; ++layout) {
        if (layout == 1) SelectPixelLayout555();
        Pixel16* pixels = Rgb24To16(rgb.data(), 256, 256);
        ASSERT_NE(pixels, nullptr);
        for (size_t i = 0; i < 65536; ++i) {
            const uint8_t* p = &rgb[i * 3];
            ASSERT_EQ(pixels[i], ConvertFrom565(RgbTo565(p[0], p[1], p[2]))) << i;
        }
        EXPECT_EQ(pixels[0x0101], 0) << "(1, 1, 0) is too dark to survive truncation";
        DebugFree(pixels);
    }
    EXPECT_EQ(Rgb24To16(rgb.data(), -1, 2), nullptr);
}

TEST_F(TgaTest, LoadTga16ConvertsAndFreesTheRgbImage) {
    TgaLayout layout;
    layout.width = 2, layout.height = 1;
    std::vector<uint8_t> rgb = {255, 255, 255, 7, 3, 7};
    std::string path = folder_.Write("two.tga", EncodeTga(layout, rgb));
    int32_t w = 0, h = 0;
    int before = CountBlocks();
    Pixel16* pixels = LoadTga16(path.c_str(), nullptr, w, h);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(CountBlocks(), before + 1);
    EXPECT_EQ(pixels[0], 0xFFFF);
    EXPECT_EQ(pixels[1], 0);
    DebugFree(pixels);
    EXPECT_EQ(LoadTga16(folder_.PathOf("absent.tga").c_str(), nullptr, w, h), nullptr);
}

}  // namespace
