// The sample-art painter: its TGA files read back through the tools' reader,
// and the properties the converters rely on (a transparent margin, alpha
// images that cover exactly the painted pixels, frames that really turn).
#include <gtest/gtest.h>

#include <Vantrel/TgaWrite.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "Artwork.h"
#include "SampleSet.h"
#include "ConverterTestKit.h"

namespace {

class SampleArtTest : public ConverterTest {};

std::vector<uint8_t> Gradient(int width, int height) {
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 7 + 1);
    return rgb;
}

TEST_F(SampleArtTest, WrittenFilesReadBackThroughTheToolsReader) {
    constexpr int kWidth = 5;
    constexpr int kHeight = 3;  // odd, so a flip that misses the middle row shows
    const std::vector<uint8_t> rgb = Gradient(kWidth, kHeight);
    const std::vector<uint8_t> grey = GreyOf(rgb);
    const std::vector<uint8_t> extra(kWidth * kHeight, 0x5A);
    struct Case {
        const char* what;
        bool colour;
        const std::vector<uint8_t>* extra;
        TgaRowOrder order;
    };
    const Case cases[] = {
        {"24-bit, top row first", true, nullptr, TgaRowOrder::TopFirst},
        {"24-bit, bottom row first", true, nullptr, TgaRowOrder::BottomFirst},
        {"32-bit, top row first", true, &extra, TgaRowOrder::TopFirst},
        {"32-bit, bottom row first", true, &extra, TgaRowOrder::BottomFirst},
        {"grey, top row first", false, nullptr, TgaRowOrder::TopFirst},
        {"grey, bottom row first", false, nullptr, TgaRowOrder::BottomFirst},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = art + "/image.tga";
        ASSERT_TRUE(WriteTgaFile(
            path.c_str(), c.colour ? EncodeTgaRgb(kWidth, kHeight, rgb.data(), c.order,
                                                  c.extra != nullptr ? c.extra->data() : nullptr)
                                   : EncodeTgaGrey(kWidth, kHeight, grey.data(), c.order)));
        const uint8_t* image = ReadToolTga(path.c_str(), 0);
        ASSERT_NE(image, nullptr);
        ASSERT_EQ(ImageWidth, kWidth);
        ASSERT_EQ(ImageHeight, kHeight);
        EXPECT_EQ(ImageBytesPerPixel, c.colour ? (c.extra ? 4 : 3) : 1);
        for (size_t p = 0; p < static_cast<size_t>(kWidth * kHeight); ++p) {
            for (int channel = 0; channel < 3; ++channel) {
                ASSERT_EQ(image[p * 3 + channel], c.colour ? rgb[p * 3 + channel] : grey[p])
                    << "pixel " << p << " channel " << channel;
            }
        }
    }
}

TEST_F(SampleArtTest, ShipFramesSuitTheConverters) {
    for (const auto& [name, drawing, size] :
         {std::tuple{"wasp", WaspDrawing(), 64}, std::tuple{"hornet", HornetDrawing(), 48}}) {
        SCOPED_TRACE(name);
        std::vector<std::vector<uint8_t>> coverages;
        for (int frame = 0; frame < kShipFrameCount; ++frame) {
            SCOPED_TRACE(frame);
            const Canvas canvas = PaintShipFrame(drawing, size, frame);
            int full = 0;
            int partial = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const size_t p = static_cast<size_t>(y) * size + x;
                    const uint8_t cover = canvas.coverage[p];
                    const bool painted = canvas.colour[p * 3] != 0 ||
                                         canvas.colour[p * 3 + 1] != 0 ||
                                         canvas.colour[p * 3 + 2] != 0;
                    const bool blended = canvas.blended[p * 3] != 0 ||
                                         canvas.blended[p * 3 + 1] != 0 ||
                                         canvas.blended[p * 3 + 2] != 0;
                    // The alpha image covers exactly the pixels that hold a
                    // colour, so no covered pixel is stored as black.
                    ASSERT_EQ(cover != 0, painted) << x << "," << y;
                    ASSERT_EQ(cover != 0, blended) << x << "," << y;
                    const bool margin = x < 2 || y < 2 || x >= size - 2 || y >= size - 2;
                    if (margin) {
                        ASSERT_EQ(cover, 0) << "margin " << x << "," << y;
                    }
                    full += cover == 255;
                    partial += cover != 0 && cover != 255;
                }
            }
            EXPECT_GT(full, size * size / 10);
            EXPECT_GT(partial, size);  // anti-aliased edges
            coverages.push_back(canvas.coverage);
        }
        // Frame 8 is frame 0 turned half way round: the same shape upside down
        // (about the pivot pixel's centre), unlike any other frame.
        for (int frame = 1; frame < kShipFrameCount; ++frame) {
            EXPECT_NE(coverages[frame], coverages[0]) << frame;
        }
        const int pivot = size / 2 - 1;
        int mismatches = 0;
        for (int y = 2; y < size - 2; ++y) {
            for (int x = 2; x < size - 2; ++x) {
                const int turnedX = 2 * pivot - x;
                const int turnedY = 2 * pivot - y;
                if (turnedX < 0 || turnedY < 0) continue;
                const int a = coverages[0][static_cast<size_t>(y) * size + x];
                const int b = coverages[8][static_cast<size_t>(turnedY) * size + turnedX];
                mismatches += std::abs(a - b) > 32;
            }
        }
        EXPECT_LT(mismatches, size / 4);
    }
}

TEST_F(SampleArtTest, TheSetHoldsEveryFileAndNamesOneItCannotWrite) {
    std::vector<std::string> written;
    std::string error;
    ASSERT_TRUE(PaintSampleSet(art, written, error)) << error;
    EXPECT_EQ(written.size(), 16u * 3 + 5);
    for (const char* name :
         {"wasp00.tga", "wasp15.tga", "a_wasp00.tga", "a_wasp15.tga", "hornet01.tga",
          "hornet16.tga", "rock.tga", "crate.tga", "star.tga", "planet.tga", "asteroid.tga"}) {
        EXPECT_TRUE(FileExists(art + "/" + name)) << name;
    }
    EXPECT_FALSE(FileExists(art + "/hornet00.tga"));
    EXPECT_FALSE(PaintSampleSet(art + "/missing", written, error));
    EXPECT_EQ(error, "cannot write " + art + "/missing/wasp00.tga");
}

}  // namespace
