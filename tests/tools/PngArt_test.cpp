#include "images/PngArt.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "images/ToolTga.h"
#include "support/TgaFile.h"
#include "ToolTest.h"

namespace {

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
}

class PngArtTest : public ToolTest {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        ResetToolTga();
        if (!PngArtIsReadable()) GTEST_SKIP() << "this build reads no PNG";
    }
    void TearDown() override {
        ResetToolTga();
        ToolTest::TearDown();
    }

    // What the tools' TGA reader gives for the same pixels, stored as a TGA.
    std::vector<uint8_t> ThroughTgaReader(const std::vector<uint8_t>& rgb, int32_t w, int32_t h,
                                          uint8_t depth) {
        TgaLayout layout;
        layout.width = static_cast<uint16_t>(w);
        layout.height = static_cast<uint16_t>(h);
        layout.depth = depth;
        layout.imageType = depth == 8 ? 3 : 2;
        layout.descriptor = 0;  // bottom row first, as painting programs save
        const std::string path = folder_.Write("same.tga", EncodeTga(layout, rgb));
        const uint8_t* image = ReadToolTga(path.c_str(), 0);
        if (image == nullptr) return {};
        return std::vector<uint8_t>(image, image + size_t(ImageWidth) * ImageHeight * 3);
    }

    ScratchFolder folder_;
};

bool IsGrey(const std::vector<uint8_t>& rgb) {
    for (size_t i = 0; i < rgb.size(); i += 3)
        if (rgb[i] != rgb[i + 1] || rgb[i] != rgb[i + 2]) return false;
    return true;
}

// PNGs of every kind written by Pillow and ImageMagick read exactly as the
// TGA reader reads the same pixels.
TEST_F(PngArtTest, EveryKindReadsAsTheTgaReaderReadsTheSamePixels) {
    const char* script = std::getenv("VANTREL_PNG_KINDS");
    if (script == nullptr) GTEST_SKIP() << "VANTREL_PNG_KINDS names no generator";
    const std::string out = folder_.PathOf("kinds");
    std::filesystem::create_directories(out);
    const std::string command = std::string("/usr/bin/python3 '") + script + "' '" + out + "'";
    const int status = std::system(command.c_str());
    if (status != 0) GTEST_SKIP() << "neither Pillow nor ImageMagick is installed";

    std::istringstream kinds(
        std::string(reinterpret_cast<const char*>(ReadAll(out + "/kinds.txt").data()),
                    ReadAll(out + "/kinds.txt").size()));
    int checked = 0;
    for (std::string kind; std::getline(kinds, kind);) {
        SCOPED_TRACE(kind);
        const PngReadResult png = ReadPngFile(out + "/" + kind + ".png");
        ASSERT_EQ(png.status, PngReadStatus::Read) << png.reason;
        const std::vector<uint8_t> expected = ReadAll(out + "/" + kind + ".rgb");
        EXPECT_EQ(png.picture.rgb, expected);
        for (uint8_t depth : {24, 32, 8}) {
            if (depth == 8 && !IsGrey(expected)) continue;
            EXPECT_EQ(png.picture.rgb,
                      ThroughTgaReader(expected, png.picture.width, png.picture.height, depth));
        }
        ++checked;
    }
    EXPECT_GE(checked, 1);
}

// A minimal PNG writer for the refusal cases: one IDAT holding the rows in a
// stored (uncompressed) deflate block.
uint32_t Crc32(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PushBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    PushBig32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PushBig32(out, Crc32(out.data() + start, out.size() - start));
}

std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> z = {0x78, 0x01, 0x01};
    const auto n = static_cast<uint16_t>(raw.size());
    z.insert(z.end(), {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8),
                       static_cast<uint8_t>(~n), static_cast<uint8_t>(~n >> 8)});
    z.insert(z.end(), raw.begin(), raw.end());
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    PushBig32(z, (b << 16) | a);
    return z;
}

std::vector<uint8_t> TinyRgbPng(uint32_t w, uint32_t h, const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    PushBig32(ihdr, w);
    PushBig32(ihdr, h);
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    Chunk(png, "IHDR", ihdr);
    Chunk(png, "IDAT", StoredZlib(raw));
    Chunk(png, "IEND", {});
    return png;
}

// 2 x 2 RGB: a filter byte (0) and two pixels per row.
std::vector<uint8_t> TwoByTwoRows() {
    return {0, 255, 0, 0, 0, 0, 0, 0, 1, 2, 3, 9, 8, 7};
}

TEST_F(PngArtTest, HandWrittenFileReadsTopRowFirst) {
    const PngReadResult png =
        DecodePng(TinyRgbPng(2, 2, TwoByTwoRows()).data(), TinyRgbPng(2, 2, TwoByTwoRows()).size());
    ASSERT_EQ(png.status, PngReadStatus::Read) << png.reason;
    EXPECT_EQ(png.picture.width, 2);
    EXPECT_EQ(png.picture.rgb, (std::vector<uint8_t>{255, 0, 0, 0, 0, 0, 1, 2, 3, 9, 8, 7}));
}

struct BrokenCase {
    const char* name;
    std::vector<uint8_t> bytes;
    PngReadStatus status;
    const char* reason;  // a part of the reason
};

TEST_F(PngArtTest, BrokenFilesFailQuietlyWithLibpngsReason) {
    const std::vector<uint8_t> good = TinyRgbPng(2, 2, TwoByTwoRows());
    std::vector<uint8_t> badCrc = good;
    badCrc[30] ^= 0xFF;  // inside IHDR's data
    std::vector<uint8_t> tooWide = TinyRgbPng(70000, 1, {0, 1, 2, 3});
    std::vector<uint8_t> bomb = TinyRgbPng(10000, 10000, {0, 1, 2, 3});
    const BrokenCase cases[] = {
        {"empty", {}, PngReadStatus::Broken, "not a PNG file"},
        {"a TGA", EncodeTga(TgaLayout{}, {}), PngReadStatus::Broken, "not a PNG file"},
        {"cut inside the header", std::vector<uint8_t>(good.begin(), good.begin() + 20),
         PngReadStatus::Broken, "libpng stops reading it: the file ends"},
        {"cut inside the image data", std::vector<uint8_t>(good.begin(), good.end() - 20),
         PngReadStatus::Broken, "libpng stops reading it"},
        {"no end chunk", std::vector<uint8_t>(good.begin(), good.end() - 12), PngReadStatus::Broken,
         "the file ends"},
        {"header checksum spoilt", badCrc, PngReadStatus::Broken, "libpng stops reading it: IHDR"},
        {"wider than a TGA can be", tooWide, PngReadStatus::TooLarge, "70000 x 1 pixels"},
        {"more data announced than the file holds", bomb, PngReadStatus::Broken,
         "too short for the image"},
    };
    for (const BrokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        testing::internal::CaptureStderr();
        testing::internal::CaptureStdout();
        const PngReadResult png = DecodePng(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(png.status, c.status);
        EXPECT_NE(png.reason.find(c.reason), std::string::npos) << png.reason;
        EXPECT_TRUE(png.picture.rgb.empty());
    }
}

TEST_F(PngArtTest, PixelLimitIsKept) {
    const std::vector<uint8_t> good = TinyRgbPng(2, 2, TwoByTwoRows());
    PngReadLimits limits;
    limits.maxPixels = 3;
    const PngReadResult png = DecodePng(good.data(), good.size(), limits);
    EXPECT_EQ(png.status, PngReadStatus::TooLarge);
    EXPECT_NE(png.reason.find("2 x 2 pixels"), std::string::npos) << png.reason;
}

TEST_F(PngArtTest, MissingFileIsUnopened) {
    EXPECT_EQ(ReadPngFile(folder_.PathOf("none.png")).status, PngReadStatus::Unopened);
}

}  // namespace
