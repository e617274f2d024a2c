#include "conversion/PictureEncoding.h"

#include "support/SpriteKit.h"
#include "TestImage.h"
#include "ToolTest.h"
#include "frames/FramePixelRules.h"

namespace {

class PictureEncodingTest : public ToolTest {};

// The fatal text of encoding the whole picture, anchored at its centre.
std::string EncodingFailure(const FrameRules& rules, const Rect& rectangle, const char* what) {
    EncodedSprite encoded;
    return FatalTextOf([&] {
        EncodePicture(rules, rectangle, rules.main.width / 2 - 1, rules.main.height / 2 - 1, what,
                      encoded.sprite);
    });
}

TEST_F(PictureEncodingTest, LimitsNameTheArtAndWhatHelps) {
    struct LimitCase {
        const char* name;
        int32_t width, height;
        int step;     // a white pixel every step-th column of every row
        int rowStep;  // on every rowStep-th row
        bool feather;
        std::string text;
    };
    const LimitCase cases[] = {
        {"runs", 600, 430, 1, 1, false,
         "List too long 256000: frame wasp05.tga is 600 x 430 pixels with 258000 opaque pixels, "
         "more than the run data of one sprite holds (256000 units of 16 bits: one for every "
         "opaque pixel and about five for every run); crop the artwork or split it into smaller "
         "images"},
        {"edges only", 200, 60, 2, 2, true,
         "Edge list too long 10000: frame wasp05.tga is 200 x 60 pixels with 3000 opaque pixels, "
         "3000 of them edge pixels, more than the edge list of one sprite holds (2500); switch "
         "Feather off (the F key, or --no-feather)"},
        {"edges and runs", 2000, 60, 2, 1, true,
         "Edge list too long 10000: frame wasp05.tga is 2000 x 60 pixels with 60000 opaque "
         "pixels, 60000 of them edge pixels, more than the edge list of one sprite holds (2500); "
         "crop the artwork or split it into smaller images"},
        {"spread", 40000, 1, 32768, 1, false,
         "Sprite too large 40000: frame wasp05.tga is 40000 x 1 pixels with 2 opaque pixels, "
         "spread wider than a sprite record reaches (32767 pixels from one run to the next, and "
         "from the corner to an edge pixel); crop the artwork or split it into smaller images"},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestImage image(c.width, c.height);
        for (int32_t y = 0; y < c.height; y += c.rowStep)
            for (int32_t x = 0; x < c.width; x += c.step) image.Set(x, y, 0xFFFFFF);
        FrameRules rules;
        rules.main = image.View();
        rules.feather = c.feather;
        EXPECT_EQ(EncodingFailure(rules, Rect{0, 0, c.width - 1, c.height - 1}, "frame wasp05.tga"),
                  c.text);
    }
}

TEST_F(PictureEncodingTest, AHotSpotTooFarIsToldWithThePicture) {
    TestImage image(4, 4);
    image.Fill(0, 0, 1, 1, 0xFFFFFF);
    FrameRules rules;
    rules.main = image.View();
    EncodedSprite encoded;
    EXPECT_EQ(FatalTextOf([&] {
                  EncodePicture(rules, Rect{0, 0, 1, 1}, 40000, 1, "image far.tga", encoded.sprite);
              }),
              "Hot spot too far 40000: image far.tga is 4 x 4 pixels with 4 opaque pixels, "
              "spread wider than a sprite record reaches (32767 pixels from one run to the next, "
              "and from the corner to an edge pixel); crop the artwork or split it into smaller "
              "images");
    EXPECT_EQ(encoded.sprite.runData, nullptr);
    EXPECT_EQ(FatalTextOf([&] {
                  EncodePicture(rules, Rect{0, 0, 1, 1}, 1, 1, "image near.tga", encoded.sprite);
              }),
              "");
    EXPECT_EQ(UnpackX(encoded.sprite.hotSpot), 1);
}

}  // namespace
