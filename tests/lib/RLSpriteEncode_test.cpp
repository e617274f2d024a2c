#include <Vantrel/RLSpriteEncode.h>

#include <random>
#include <vector>

#include "support/SpriteKit.h"
#include "support/VantrelTest.h"

namespace {

class RLSpriteEncodeTest : public VantrelTest {};

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return (r << 16) | (g << 8) | b;
}

std::vector<uint32_t> Words(const uint32_t* data, int32_t count) {
    return data == nullptr ? std::vector<uint32_t>{} : std::vector<uint32_t>(data, data + count);
}

uint32_t Pair(uint32_t low, uint32_t high) {
    return low | (high << 16);
}

struct FeatherCase {
    int brightness;
    int level;
    Pixel16 colourOfWhite;
};

TEST_F(RLSpriteEncodeTest, FeatherLevels) {
    const FeatherCase cases[] = {
        {0, 1, 0x39E7}, {3, 1, 0x39E7}, {4, 2, 0x7BEF},  {5, 2, 0x7BEF},  {6, 3, 0xC618},
        {8, 3, 0xC618}, {9, 4, 0xE71C}, {16, 4, 0xE71C}, {31, 4, 0xE71C},
    };
    for (const FeatherCase& c : cases) {
        SCOPED_TRACE(c.brightness);
        Pixel16 colour = 1;
        EXPECT_EQ(FeatherLevel(0xFFFF, c.brightness, colour), c.level);
        EXPECT_EQ(colour, c.colourOfWhite);
    }
    Pixel16 colour = 1;
    EXPECT_EQ(FeatherLevel(0xF800, 1, colour), 1);
    EXPECT_EQ(colour, 0x3800);  // a quarter of full red
}

struct EncodeCase {
    const char* name;
    std::vector<std::pair<int, uint32_t>> row0;  // x, colour on row 0
    std::vector<std::pair<int, uint32_t>> row1;
    bool border;
    std::vector<uint32_t> runWords;
};

TEST_F(RLSpriteEncodeTest, RunLayouts) {
    const uint32_t w = 0xFFFFFF;
    const uint32_t red = Rgb(255, 0, 0);
    const EncodeCase cases[] = {
        {"nothing opaque", {}, {}, false, {}},
        {"one pixel takes three words", {{0, w}}, {}, false, {0, 1, Pair(0xFFFF, 0)}},
        {"even run has no pad", {{0, w}, {1, red}}, {}, false, {0, 2, Pair(0xFFFF, 0xF800)}},
        {"odd run is padded",
         {{0, w}, {1, w}, {2, red}},
         {},
         false,
         {0, 3, Pair(0xFFFF, 0xFFFF), Pair(0xF800, 0)}},
        {"black splits the run",
         {{0, w}, {2, red}},
         {},
         false,
         {0, 1, Pair(0xFFFF, 0), Pair(2, 0), 1, Pair(0xF800, 0)}},
        {"later row may step left",
         {{3, w}},
         {{1, red}},
         false,
         {Pair(3, 0), 1, Pair(0xFFFF, 0), Pair(static_cast<uint16_t>(-2), 1), 1, Pair(0xF800, 0)}},
        {"marker is opaque black", {{0, 65536}, {1, w}}, {}, true, {0, 2, Pair(0, 0xFFFF)}},
    };
    for (const EncodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestImage image(4, 2);
        for (auto [x, colour] : c.row0) image.Set(x, 0, colour);
        for (auto [x, colour] : c.row1) image.Set(x, 1, colour);
        FrameRules rules;
        rules.main = image.View();
        rules.border = c.border;
        rules.marker = c.border ? 65536 : 0;
        EncodedSprite encoded;
        EncodeFrame(rules, Rect{0, 0, 3, 1}, encoded.sprite);
        EXPECT_EQ(encoded.sprite.runWordCount, static_cast<int32_t>(c.runWords.size()));
        ASSERT_NE(encoded.sprite.runData, nullptr);
        EXPECT_EQ(Words(encoded.sprite.runData, encoded.sprite.runWordCount), c.runWords);
        EXPECT_EQ(encoded.sprite.edgeWordCount, 0);
        EXPECT_EQ(encoded.sprite.edgeData, nullptr);
    }
}

TEST_F(RLSpriteEncodeTest, PositionsAreRelativeToTheRectangle) {
    TestImage image(10, 10);
    image.Set(4, 5, 0xFFFFFF);
    image.Set(6, 7, 0xFFFFFF);
    FrameRules rules;
    rules.main = image.View();
    const Rect rect = FindFrameBounds(rules);
    EncodedSprite encoded;
    EncodeFrame(rules, rect, encoded.sprite);
    EXPECT_EQ(Words(encoded.sprite.runData, encoded.sprite.runWordCount),
              (std::vector<uint32_t>{0, 1, 0xFFFF, Pair(2, 2), 1, 0xFFFF}));
}

TEST_F(RLSpriteEncodeTest, FeatherWithoutAlphaMakesEdgeRecordsOfTheOutermostPixels) {
    // A 3 x 3 block: the centre is the only pixel with no black neighbour.
    TestImage image(7, 7);
    image.Fill(2, 2, 4, 4, Rgb(72, 72, 72));  // brightness 9: level 4
    image.Set(2, 2, Rgb(24, 24, 24));         // brightness 3: level 1
    image.Set(3, 2, Rgb(32, 32, 32));         // 4: level 2
    image.Set(4, 2, Rgb(64, 64, 64));         // 8: level 3
    FrameRules rules;
    rules.main = image.View();
    rules.feather = true;
    EncodedSprite encoded;
    EncodeFrame(rules, Rect{2, 2, 4, 4}, encoded.sprite);
    const Pixel16 centre = RgbTo565NonBlack(72, 72, 72);
    EXPECT_EQ(Words(encoded.sprite.runData, encoded.sprite.runWordCount),
              (std::vector<uint32_t>{Pair(1, 1), 1, centre}));
    ASSERT_EQ(encoded.sprite.edgeWordCount, 16);
    std::vector<int> levels;
    for (int i = 0; i < 8; ++i) {
        const uint32_t position = encoded.sprite.edgeData[2 * i];
        const uint32_t levelColour = encoded.sprite.edgeData[2 * i + 1];
        levels.push_back(static_cast<int>(levelColour & 0xFFFF));
        EXPECT_NE(position, Pair(1, 1)) << "the centre is a run pixel";
    }
    EXPECT_EQ(levels, (std::vector<int>{1, 2, 3, 4, 4, 4, 4, 4}));
    EXPECT_EQ(encoded.sprite.edgeData[0], Pair(0, 0));
    EXPECT_EQ(encoded.sprite.edgeData[15] >> 16,
              static_cast<uint32_t>(centre - ((centre >> 3) & 0x18E3)));
}

TEST_F(RLSpriteEncodeTest, AlphaImageDecidesOpacityAndShading) {
    TestImage main(5, 1);
    TestImage alpha(5, 1);
    main.Fill(0, 0, 4, 0, 0xFFFFFF);
    alpha.Set(0, 0, 0xFFFFFF);
    alpha.Set(1, 0, Rgb(40, 0, 0));
    alpha.Set(2, 0, 0);
    alpha.Set(3, 0, Rgb(128, 128, 128));
    alpha.Set(4, 0, 0xFFFFFF);
    FrameRules rules;
    rules.main = main.View();
    rules.alpha = alpha.View();
    rules.feather = true;
    EncodedSprite encoded;
    EncodeFrame(rules, Rect{0, 0, 4, 0}, encoded.sprite);
    EXPECT_EQ(Words(encoded.sprite.runData, encoded.sprite.runWordCount),
              (std::vector<uint32_t>{0, 1, 0xFFFF, Pair(4, 0), 1, 0xFFFF}));
    EXPECT_EQ(Words(encoded.sprite.edgeData, encoded.sprite.edgeWordCount),
              (std::vector<uint32_t>{Pair(1, 0), Pair(1, 0x39E7), Pair(3, 0), Pair(4, 0xE71C)}));
}

TEST_F(RLSpriteEncodeTest, RunDataLimitReportsTheUnitsReached) {
    struct LimitCase {
        const char* name;
        int32_t width, height;
        int step;  // opaque every step-th column
        const char* message;
    };
    const LimitCase cases[] = {
        // 604 units a row: the 424th row's pixels reach the limit inside the run.
        {"long rows", 600, 430, 1, "List too long 256000\n"},
        // Runs of one pixel take six units: the run start finds 256002 held.
        {"single pixels", 2000, 50, 2, "List too long 256002\n"},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestImage image(c.width, c.height);
        for (int32_t y = 0; y < c.height; ++y)
            for (int32_t x = 0; x < c.width; x += c.step) image.Set(x, y, 0xFFFFFF);
        FrameRules rules;
        rules.main = image.View();
        EncodedSprite encoded;
        EXPECT_EQ(FatalTextOf([&] {
                      EncodeFrame(rules, Rect{0, 0, c.width - 1, c.height - 1}, encoded.sprite);
                  }),
                  c.message);
    }
}

TEST_F(RLSpriteEncodeTest, JustBelowTheRunLimitEncodes) {
    // 512 rows of 496 pixels: 500 units each, 256000 in all, no check fails.
    TestImage image(496, 512);
    image.Fill(0, 0, 495, 511, 0xFFFFFF);
    FrameRules rules;
    rules.main = image.View();
    EncodedSprite encoded;
    EncodeFrame(rules, Rect{0, 0, 495, 511}, encoded.sprite);
    EXPECT_EQ(encoded.sprite.runWordCount, 128000);
}

TEST_F(RLSpriteEncodeTest, EdgeRecordLimit) {
    TestImage image(200, 60);
    int placed = 0;
    for (int32_t y = 0; y < 60; y += 2)
        for (int32_t x = 0; x < 200 && placed < 2501; x += 2, ++placed) image.Set(x, y, 0xFFFFFF);
    FrameRules rules;
    rules.main = image.View();
    rules.feather = true;
    EncodedSprite encoded;
    EXPECT_EQ(FatalTextOf([&] {
                  EncodeFrame(rules, Rect{0, 0, 199, 59}, encoded.sprite);
              }),
              "Edge list too long 10000\n");
}

// Only what a record cannot hold is refused: run deltas and edge positions
// are signed 16-bit, run lengths 32-bit.
TEST_F(RLSpriteEncodeTest, RecordLimitsDecideWhatIsTooLarge) {
    struct SideCase {
        const char* name;
        int32_t width, height;
        std::vector<std::pair<int32_t, int32_t>> pixels;  // opaque (x, y); empty: all
        bool feather;
        const char* message;  // null: encodes and loads
    };
    const SideCase cases[] = {
        {"a 65535 x 1 strip of one run", 65535, 1, {}, false, nullptr},
        {"runs 32767 apart", 40000, 1, {{0, 0}, {32767, 0}}, false, nullptr},
        {"runs 32768 apart", 40000, 1, {{0, 0}, {32768, 0}}, false, "Sprite too large 40000\n"},
        {"a run 32768 rows down",
         1,
         32769,
         {{0, 0}, {0, 32768}},
         false,
         "Sprite too large 32769\n"},
        {"a 1 x 65535 strip meets the run limit", 1, 65535, {}, false, "List too long 256002\n"},
        {"an edge pixel at x 32767", 32769, 1, {{32767, 0}}, true, nullptr},
        {"an edge pixel at x 32768",
         32769,
         1,
         {{0, 0}, {32768, 0}},
         true,
         "Sprite too large 32769\n"},
    };
    for (const SideCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestImage image(c.width, c.height);
        if (c.pixels.empty()) image.Fill(0, 0, c.width - 1, c.height - 1, 0xFFFFFF);
        for (auto [x, y] : c.pixels) image.Set(x, y, 0xFFFFFF);
        FrameRules rules;
        rules.main = image.View();
        rules.feather = c.feather;
        const Rect rectangle{0, 0, c.width - 1, c.height - 1};
        EncodedSprite encoded;
        if (c.message != nullptr) {
            EXPECT_EQ(FatalTextOf([&] { EncodeFrame(rules, rectangle, encoded.sprite); }),
                      c.message);
            continue;
        }
        AnchorRLSprite(encoded.sprite, rectangle, c.width / 2 - 1, c.height / 2 - 1);
        EncodeFrame(rules, rectangle, encoded.sprite);
        EXPECT_EQ(FindRLSpriteFault(encoded.sprite), nullptr);
    }
}

TEST_F(RLSpriteEncodeTest, RectangleBeyondAnImageSideIsRefused) {
    TestImage image(4, 4);
    FrameRules rules;
    rules.main = image.View();
    EncodedSprite encoded;
    EXPECT_EQ(FatalTextOf([&] {
                  EncodeFrame(rules, Rect{0, 0, 65535, 0}, encoded.sprite);
              }),
              "Sprite too large 65536\n");
}

TEST_F(RLSpriteEncodeTest, HotSpotAndBoundsFromTheCentre) {
    RLSprite sprite;
    // A 64 x 64 frame centred at (31, 31), visible part (20, 10)..(40, 50).
    AnchorRLSprite(sprite, Rect{20, 10, 40, 50}, 31, 31);
    EXPECT_EQ(UnpackX(sprite.hotSpot), 11);
    EXPECT_EQ(UnpackY(sprite.hotSpot), 21);
    EXPECT_EQ(sprite.bounds.left, -11);
    EXPECT_EQ(sprite.bounds.top, -21);
    EXPECT_EQ(sprite.bounds.right, 9);
    EXPECT_EQ(sprite.bounds.bottom, 19);
    EXPECT_EQ(sprite.pointCount, 0);
}

TEST_F(RLSpriteEncodeTest, HotSpotBeyondSixteenBitsIsRefused) {
    RLSprite sprite;
    EXPECT_EQ(FatalTextOf([&] {
                  AnchorRLSprite(sprite, Rect{60000, 0, 60010, 5}, 19999, 2);
              }),
              "Hot spot too far 40001\n");
    EXPECT_EQ(FatalTextOf([&] { AnchorRLSprite(sprite, Rect{0, 0, 5, 5}, 3, 32767); }), "");
    EXPECT_EQ(FatalTextOf([&] {
                  AnchorRLSprite(sprite, Rect{0, 0, 5, 5}, 3, 32768);
              }),
              "Hot spot too far 32768\n");
}

// Whatever the picture and options, what the encoder makes is well formed
// and every pixel of the rectangle is in exactly one place.
TEST_F(RLSpriteEncodeTest, EncodedSpritesAreAlwaysWellFormed) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const int32_t w = 1 + static_cast<int32_t>(random() % 40);
        const int32_t h = 1 + static_cast<int32_t>(random() % 40);
        TestImage main(w, h);
        TestImage alpha(w, h);
        const uint32_t palette[] = {0,           0, 0xFFFFFF, Rgb(1, 0, 0), 65536, Rgb(90, 40, 200),
                                    Rgb(3, 3, 3)};
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                main.Set(x, y, palette[random() % 7]);
                alpha.Set(x, y, palette[random() % 7]);
            }
        }
        FrameRules rules;
        rules.main = main.View();
        const int mode = round % 4;
        rules.border = mode == 1;
        rules.feather = mode >= 2;
        if (mode == 3) rules.alpha = alpha.View();
        if (rules.border) {
            rules.marker = FindMarkerColour(rules.main);
            PaintBorder(rules.main, rules.marker);
        }
        const Rect rect = FindFrameBounds(rules);
        EncodedSprite encoded;
        AnchorRLSprite(encoded.sprite, rect, w / 2 - 1, h / 2 - 1);
        EncodeFrame(rules, rect, encoded.sprite);
        ASSERT_EQ(FindRLSpriteFault(encoded.sprite, 640), nullptr) << round;

        // Count the pixels each place holds.
        int64_t runPixels = 0;
        for (int32_t i = 0; i < encoded.sprite.runWordCount;) {
            const auto n = static_cast<int32_t>(encoded.sprite.runData[i + 1]);
            runPixels += n;
            i += 2 + (n + 1) / 2;
        }
        int64_t opaque = 0;
        for (int32_t y = rect.top; y <= rect.bottom; ++y)
            for (int32_t x = rect.left; x <= rect.right; ++x)
                opaque += ClassifyPixel(rules, x, y) != kTransparentPixelCode;
        EXPECT_EQ(runPixels + encoded.sprite.edgeWordCount / 2, opaque) << round;
    }
}

}  // namespace
