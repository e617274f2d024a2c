// Helpers of the converter tests (Quarvin, Plimsor): images painted in memory
// and written as TGA files, a fixture with a program folder, an art folder and
// an output folder, and the sprites of a written .sh file.
#ifndef TESTS_TOOLS_CONVERTER_TEST_KIT_H
#define TESTS_TOOLS_CONVERTER_TEST_KIT_H

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "images/PngArt.h"
#include "images/ToolTga.h"
#include <Vantrel/Rls.h>
#include "support/SpriteKit.h"
#include "TestImage.h"
#include "support/TgaFile.h"
#include "support/VantrelTest.h"
#include "ToolTestFiles.h"

// The remedy of a file that is no image the tools read: PNG only where this
// build reads it.
inline std::string ExportRemedy() {
    return PngArtIsReadable() ? "export the artwork as PNG, or as an uncompressed 24-bit TGA"
                              : "export the artwork as an uncompressed 24-bit TGA";
}

inline std::vector<uint8_t> TgaOf(TestImage& image, uint8_t depth = 24, uint8_t descriptor = 0x20) {
    const FrameImage view = image.View();
    TgaLayout layout;
    layout.width = static_cast<uint16_t>(view.width);
    layout.height = static_cast<uint16_t>(view.height);
    layout.depth = depth;
    layout.imageType = depth == 8 ? 3 : 2;
    layout.descriptor = descriptor;
    const std::vector<uint8_t> rgb(view.pixels, view.pixels + view.width * view.height * 3);
    return EncodeTga(layout, rgb);
}

inline void WriteImage(const std::string& path, TestImage& image, uint8_t depth = 24) {
    const std::vector<uint8_t> bytes = TgaOf(image, depth);
    WriteWholeFile(path, std::string(bytes.begin(), bytes.end()));
}

// A file that passes the TGA header check but ends inside its pixels.
inline void WriteTruncatedImage(const std::string& path, TestImage& image) {
    const std::vector<uint8_t> bytes = TgaOf(image);
    WriteWholeFile(path, std::string(bytes.begin(), bytes.end() - 1));
}

// A 6 x 4 picture of two runs: red at (1, 1)-(2, 1) and white at (3, 2)-(4, 2).
// Its visible rectangle (1, 1)-(4, 2) has its centre at (2, 1), and so has the
// whole picture: Plimsor, and Quarvin with Feather off, store the same record
// for it, TwoRunRecord.
inline TestImage TwoRunPicture() {
    TestImage image(6, 4);
    image.Fill(1, 1, 2, 1, 0xFF0000);
    image.Fill(3, 2, 4, 2, 0xFFFFFF);
    return image;
}

// The record of TwoRunPicture, byte for byte: the little-endian header
// fields, then the two runs (start offset, length, pixels).
inline std::string TwoRunRecord() {
    using namespace std::string_literals;
    return "\x06\x00\x00\x00"s +                                  // 6 run words
           "\x00\x00\x00\x00"s +                                  // no edge word
           "\x00\x00\x00\x00"s +                                  // no point
           "\x00\x00\x00\x00\x00\x00\x00\x00"s +                  // reserved
           "\x01\x00\x00\x00"s +                                  // hot spot (1, 0)
           "\x00\x00\x00\x00\x00\x00\x00\x00"s +                  // reserved
           "\xFF\xFF\xFF\xFF"s +                                  // bounds: left -1
           "\x00\x00\x00\x00"s +                                  // top 0
           "\x02\x00\x00\x00"s +                                  // right 2
           "\x01\x00\x00\x00"s +                                  // bottom 1
           "\x00\x00\x00\x00\x02\x00\x00\x00\x00\xF8\x00\xF8"s +  // at (0, 0): 2 red, F800
           "\x02\x00\x01\x00\x02\x00\x00\x00\xFF\xFF\xFF\xFF"s;   // 2 right, 1 down: 2 white
}

struct RayDeleter {
    void operator()(RlsRay* ray) const { delete ray; }
};
using RayPtr = std::unique_ptr<RlsRay, RayDeleter>;

inline RayPtr LoadRay(const std::string& path) {
    return RayPtr(LoadRlsRay(path.c_str()));
}

inline int16_t HotSpotX(const RLSprite* s) {
    return UnpackX(s->hotSpot);
}
inline int16_t HotSpotY(const RLSprite* s) {
    return UnpackY(s->hotSpot);
}

inline std::vector<int32_t> BoundsOf(const RLSprite* s) {
    return {s->bounds.left, s->bounds.top, s->bounds.right, s->bounds.bottom};
}

// The converters' fixture: program folder <tmp>/program, art in <tmp>/art,
// output in <tmp>/out. The tools' image slots are emptied after each test.
class ConverterTest : public VantrelTest {
protected:
    void SetUp() override {
        VantrelTest::SetUp();
        std::filesystem::create_directories(program);
        std::filesystem::create_directories(art);
        std::filesystem::create_directories(out);
    }
    void TearDown() override {
        ResetToolTga();
        VantrelTest::TearDown();
    }

    TempFolder folder;
    std::string program = folder / "program";
    std::string art = folder / "art";
    std::string out = folder / "out";
};

#endif
