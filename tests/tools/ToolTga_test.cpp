#include "images/ToolTga.h"

#include "conversion/PictureInput.h"
#include "images/ImageDiagnosis.h"

#include <Vantrel/Tga.h>
#include "support/TgaFile.h"
#include "ToolTest.h"

namespace {

constexpr const char* kQuarvinSource = "UTILS\\QUARVIN\\Quarvin";
constexpr const char* kDepthMessage = "Must be an uncompressed 8, 24 or 32-bit RGB color file";

class ToolTgaTest : public ToolTest {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        ResetToolTga();
        SetToolTgaSource(kQuarvinSource);
    }
    void TearDown() override {
        ResetToolTga();
        ToolTest::TearDown();
    }

    std::string WriteTga(const std::string& name, const TgaLayout& layout,
                         const std::vector<uint8_t>& rgb) {
        return folder_.Write(name, EncodeTga(layout, rgb));
    }
    static TgaLayout Layout(uint16_t w, uint16_t h, uint8_t depth, uint8_t type = 2,
                            uint8_t descriptor = 0) {
        TgaLayout t;
        t.width = w, t.height = h, t.depth = depth, t.imageType = type, t.descriptor = descriptor;
        return t;
    }
    static std::vector<uint8_t> Copy(const uint8_t* image) {
        return std::vector<uint8_t>(image, image + size_t(ImageWidth) * ImageHeight * 3);
    }

    ScratchFolder folder_;
};

struct AcceptedCase {
    uint8_t type, depth, descriptor;
    int32_t bytesPerPixel;
    bool grey;
};

TEST_F(ToolTgaTest, ReadsColourAndGreyWhicheverTemplateCarriesThem) {
    const AcceptedCase cases[] = {
        {2, 24, 0x00, 3, false}, {2, 32, 0x20, 4, false}, {3, 24, 0x00, 3, false},
        {3, 32, 0x00, 4, false}, {3, 8, 0x00, 1, true},   {3, 8, 0x20, 1, true},
        {2, 8, 0x00, 1, true},
    };
    uint32_t seed = 100;
    for (const AcceptedCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << int(c.type) << " depth " << int(c.depth));
        std::vector<uint8_t> rgb = RandomRgb(5, 3, seed++);
        std::string path = WriteTga("image.tga", Layout(5, 3, c.depth, c.type, c.descriptor), rgb);
        uint8_t* image = ReadToolTga(path.c_str(), 0);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(ImageWidth, 5);
        EXPECT_EQ(ImageHeight, 3);
        EXPECT_EQ(ImageBytesPerPixel, c.bytesPerPixel);
        if (c.grey) {
            // The stored grey byte is the red channel of the source image.
            for (size_t i = 0; i < rgb.size(); i += 3) rgb[i + 1] = rgb[i + 2] = rgb[i];
        }
        EXPECT_EQ(Copy(image), rgb);
        EXPECT_EQ(BlockSource(image), kQuarvinSource);
    }
}

TEST_F(ToolTgaTest, SlotsAreIndependentAndAReadReplacesItsSlot) {
    std::vector<uint8_t> a = RandomRgb(4, 4, 1), b = RandomRgb(2, 2, 2), c = RandomRgb(3, 1, 3);
    std::string pathA = WriteTga("a.tga", Layout(4, 4, 24), a);
    std::string pathB = WriteTga("b.tga", Layout(2, 2, 32), b);
    std::string pathC = WriteTga("c.tga", Layout(3, 1, 24), c);
    int before = CountBlocks();

    uint8_t* main = ReadToolTga(pathA.c_str(), 0);
    uint8_t* alternate = ReadToolTga(pathB.c_str(), 7);  // any non-zero value
    ASSERT_NE(main, nullptr);
    ASSERT_NE(alternate, nullptr);
    EXPECT_EQ(ToolTgaSlot(0), main);
    EXPECT_EQ(ToolTgaSlot(1), alternate);
    EXPECT_EQ(ImageWidth, 2) << "the size is that of the last header";
    EXPECT_EQ(CountBlocks(), before + 2);

    uint8_t* replaced = ReadToolTga(pathC.c_str(), 0);
    ASSERT_NE(replaced, nullptr);
    EXPECT_EQ(CountBlocks(), before + 2) << "the old main image was freed";
    EXPECT_EQ(BlockStatus(ToolTgaSlot(1)), kBlockLive);
    ImageWidth = 2, ImageHeight = 2;
    EXPECT_EQ(Copy(ToolTgaSlot(1)), b);
}

TEST_F(ToolTgaTest, LoadToolSlotGivesEachImageItsOwnSize) {
    // An alpha image, then its frame, then an image that fails: each view
    // keeps its own size and pixels whatever was read after it.
    const std::vector<uint8_t> alpha = RandomRgb(4, 3, 1), frame = RandomRgb(2, 5, 2);
    const std::string alphaPath = WriteTga("a.tga", Layout(4, 3, 8, 3), alpha);
    const std::string framePath = WriteTga("f.tga", Layout(2, 5, 32), frame);
    const std::vector<uint8_t> whole = EncodeTga(Layout(2, 5, 32), frame);
    const std::string cutPath =
        folder_.Write("cut.tga", std::vector<uint8_t>(whole.begin(), whole.end() - 1));

    const FrameImage a = LoadToolSlot(alphaPath.c_str(), kAlternateToolSlot);
    const FrameImage f = LoadToolSlot(framePath.c_str(), kMainToolSlot);
    const FrameImage none = LoadToolSlot(cutPath.c_str(), kAlternateToolSlot);

    EXPECT_EQ(f.pixels, ToolTgaSlot(kMainToolSlot));
    EXPECT_EQ(std::vector<int32_t>({a.width, a.height, f.width, f.height}),
              std::vector<int32_t>({4, 3, 2, 5}));
    EXPECT_EQ(std::vector<uint8_t>(f.pixels, f.pixels + 2 * 5 * 3), frame);
    EXPECT_EQ(none.pixels, nullptr);
    EXPECT_EQ(none.width, 0);
    EXPECT_EQ(none.height, 0);
    // Read again, the grey alpha image comes back with its size, as (v, v, v).
    const FrameImage grey = LoadToolSlot(alphaPath.c_str(), kAlternateToolSlot);
    ASSERT_NE(grey.pixels, nullptr);
    EXPECT_EQ(std::vector<int32_t>({grey.width, grey.height}), std::vector<int32_t>({4, 3}));
    for (size_t i = 0; i < 4 * 3; ++i) {
        EXPECT_EQ(grey.pixels[3 * i], grey.pixels[3 * i + 1]);
        EXPECT_EQ(grey.pixels[3 * i], grey.pixels[3 * i + 2]);
    }
}

// The reader gives no image and leaves the slot alone; a conversion that
// loads the picture (LoadPicture) ends with the reason.
TEST_F(ToolTgaTest, UnacceptedHeaderGivesNoImageAndTheConversionSaysWhy) {
    std::string good = WriteTga("good.tga", Layout(2, 2, 24), RandomRgb(2, 2, 4));
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;  // empty: the file does not exist
    };
    TgaLayout runLength = Layout(2, 2, 24, 10);
    TgaLayout greyRunLength = Layout(2, 2, 8, 11);
    TgaLayout withId = Layout(2, 2, 24);
    withId.idLength = 4;
    TgaLayout moved = Layout(2, 2, 24);
    moved.yOrigin = 2;
    std::vector<uint8_t> shortHeader = TgaHeaderBytes(Layout(2, 2, 24));
    shortHeader.resize(17);
    const Case cases[] = {
        {"missing file", {}},
        {"run-length colour", EncodeTga(runLength, RandomRgb(2, 2, 1))},
        {"run-length grey", EncodeTga(greyRunLength, RandomRgb(2, 2, 1))},
        {"identification field", EncodeTga(withId, RandomRgb(2, 2, 1))},
        {"y origin", EncodeTga(moved, RandomRgb(2, 2, 1))},
        {"header cut at 17", shortHeader},
        {"header cut at 11", std::vector<uint8_t>(shortHeader.begin(), shortHeader.begin() + 11)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        uint8_t* kept = ReadToolTga(good.c_str(), 0);
        ASSERT_NE(kept, nullptr);
        std::string path =
            c.bytes.empty() ? folder_.PathOf("absent.tga") : folder_.Write("refused.tga", c.bytes);
        uint8_t* result = kept;
        EXPECT_EQ(FatalTextOf([&] { result = ReadToolTga(path.c_str(), 0); }), "");
        EXPECT_EQ(result, nullptr);
        EXPECT_EQ(ToolTgaSlot(0), kept) << "a refused header leaves the slot alone";
        // The start as given, then why (ImageDiagnosis_test pins the reasons).
        ToolJob job;
        const std::string fatal =
            FatalTextOf([&] { OpenAndLoadPicture(job, path.c_str(), kMainToolSlot); });
        EXPECT_EQ(fatal.rfind("Can't load " + path + ": ", 0), 0u) << fatal;
        EXPECT_EQ(fatal, CantLoadImageText(path));
    }
}

TEST_F(ToolTgaTest, UnusableSizeOrDepthIsFatal) {
    const TgaLayout cases[] = {Layout(0, 2, 24), Layout(2, 0, 8, 3), Layout(2, 2, 16),
                               Layout(2, 2, 15, 3), Layout(2, 2, 0)};
    for (const TgaLayout& layout : cases) {
        SCOPED_TRACE(testing::Message()
                     << layout.width << "x" << layout.height << " depth " << int(layout.depth));
        std::vector<uint8_t> bytes = TgaHeaderBytes(layout);
        bytes.resize(bytes.size() + 64, 9);
        std::string path = folder_.Write("bad.tga", bytes);
        const std::string fatal = FatalTextOf([&] { ReadToolTga(path.c_str(), 1); });
        EXPECT_EQ(fatal.rfind(std::string(kDepthMessage) + ": " + path + ": ", 0), 0u) << fatal;
        EXPECT_EQ(ImageWidth, layout.width);
        EXPECT_EQ(ImageHeight, layout.height);
    }
}

TEST_F(ToolTgaTest, ShortPixelDataEmptiesTheSlotAtEveryCut) {
    for (uint8_t depth : {uint8_t{8}, uint8_t{24}, uint8_t{32}}) {
        std::vector<uint8_t> rgb = RandomRgb(3, 3, depth);
        TgaLayout layout = Layout(3, 3, depth, depth == 8 ? 3 : 2);
        std::vector<uint8_t> whole = EncodeTga(layout, rgb);
        std::string good = folder_.Write("good.tga", whole);
        for (size_t cut = 18; cut < whole.size(); ++cut) {
            SCOPED_TRACE(testing::Message() << "depth " << int(depth) << " cut " << cut);
            ASSERT_NE(ReadToolTga(good.c_str(), 0), nullptr);
            std::string path =
                folder_.Write("cut.tga", std::vector<uint8_t>(whole.begin(), whole.begin() + cut));
            EXPECT_EQ(ReadToolTga(path.c_str(), 0), nullptr);
            EXPECT_EQ(ToolTgaSlot(0), nullptr);
            EXPECT_EQ(ImageBytesPerPixel, depth / 8);
        }
    }
}

TEST_F(ToolTgaTest, HugeClaimFailsWithoutAllocating) {
    for (uint8_t depth : {uint8_t{8}, uint8_t{24}, uint8_t{32}}) {
        std::string path = folder_.Write("huge.tga", TgaHeaderBytes(Layout(65535, 65535, depth)));
        ResetPeakTrackedBytes();
        EXPECT_EQ(ReadToolTga(path.c_str(), 1), nullptr);
        EXPECT_EQ(ToolTgaSlot(1), nullptr);
        EXPECT_EQ(ImageWidth, 65535);
        EXPECT_LT(PeakTrackedBytes(), size_t{1} << 20);
    }
}

}  // namespace
