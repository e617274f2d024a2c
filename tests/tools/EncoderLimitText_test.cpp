#include "conversion/EncoderLimitText.h"

#include "shell/core/FatalContext.h"
#include "support/SpriteKit.h"
#include "TestImage.h"
#include "ToolTest.h"
#include "frames/FramePixelRules.h"

namespace {

class EncoderLimitTextTest : public ToolTest {};

// The encoder's text for the art, explained as the tools' shell shows it.
std::string ExplainedFailure(const FrameRules& rules, const Rect& rectangle, const char* what) {
    const ArtInProgress art{what, &rules, rectangle};
    const FatalContext context(&ExplainEncoderLimitOf, &art);
    EncodedSprite encoded;
    return FatalTextOf([&] { EncodeFrame(rules, rectangle, encoded.sprite); });
}

TEST_F(EncoderLimitTextTest, LimitsNameTheArtAndWhatHelps) {
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
        EXPECT_EQ(
            ExplainedFailure(rules, Rect{0, 0, c.width - 1, c.height - 1}, "frame wasp05.tga"),
            c.text);
    }
}

TEST_F(EncoderLimitTextTest, OtherTextsAndNoContextStayAsTheyAre) {
    TestImage image(4, 4);
    FrameRules rules;
    rules.main = image.View();
    const ArtInProgress art{"image rock.tga", &rules, Rect{0, 0, 3, 3}};
    EXPECT_EQ(ExplainEncoderLimit("LoadRlsRay: Not a RlsRay file", art),
              "LoadRlsRay: Not a RlsRay file");
    EXPECT_EQ(ExplainFatalText("List too long 256000\n"), "List too long 256000\n");
    {
        const FatalContext outer(&ExplainEncoderLimitOf, &art);
        const FatalContext inner(
            [](const std::string& text, const void*) { return "inner: " + text; }, nullptr);
        EXPECT_EQ(ExplainFatalText("x"), "inner: x");
    }
    EXPECT_EQ(ExplainFatalText("x"), "x");
}

TEST_F(EncoderLimitTextTest, SurveyCountsRunUnitsAsTheEncoderDoes) {
    // Three rows: runs of 3, 1 + 2, nothing.
    TestImage image(5, 3);
    image.Fill(0, 0, 2, 0, 0xFFFFFF);
    image.Set(0, 1, 0xFFFFFF);
    image.Fill(2, 1, 3, 1, 0xFFFFFF);
    FrameRules rules;
    rules.main = image.View();
    const Rect rectangle{0, 0, 4, 2};
    const ArtSurvey survey = SurveyArt(rules, rectangle);
    EncodedSprite encoded;
    EncodeFrame(rules, rectangle, encoded.sprite);
    EXPECT_EQ(survey.opaquePixels, 6);
    EXPECT_EQ(survey.edgePixels, 0);
    EXPECT_EQ(survey.runUnitsWithoutFeather, encoded.sprite.runWordCount * 2);
}

}  // namespace
