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

#include "ToolTga.h"
#include <Vantrel/Rls.h>
#include "support/SpriteKit.h"
#include "support/TgaFile.h"
#include "support/VantrelTest.h"
#include "ToolTestFiles.h"

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
