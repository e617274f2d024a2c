#include <Vantrel/RLSpriteEncode.h>

#include <random>
#include <vector>

#include "support/SpriteKit.h"
#include "support/VantrelTest.h"

namespace {

class RLSpriteEncodeTest : public VantrelTest {};

std::vector<uint32_t> Words(const uint32_t* data, int32_t count) {
    return data == nullptr ? std::vector<uint32_t>{} : std::vector<uint32_t>(data, data + count);
}

uint32_t Pair(uint32_t low, uint32_t high) {
    return low | (high << 16);
}

constexpr uint32_t kWhite = 0xFFFF;
constexpr uint32_t kRed = 0xF800;

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
    std::vector<std::pair<int, uint32_t>> row0;  // x, code on row 0
    std::vector<std::pair<int, uint32_t>> row1;
    std::vector<uint32_t> runWords;
};

TEST_F(RLSpriteEncodeTest, RunLayouts) {
    const uint32_t w = RunPixelCode(kWhite);
    const uint32_t red = RunPixelCode(kRed);
    const EncodeCase cases[] = {
        {"nothing opaque", {}, {}, {}},
        {"one pixel takes three words", {{0, w}}, {}, {0, 1, Pair(0xFFFF, 0)}},
        {"even run has no pad", {{0, w}, {1, red}}, {}, {0, 2, Pair(0xFFFF, 0xF800)}},
        {"odd run is padded",
         {{0, w}, {1, w}, {2, red}},
         {},
         {0, 3, Pair(0xFFFF, 0xFFFF), Pair(0xF800, 0)}},
        {"transparent splits the run",
         {{0, w}, {2, red}},
         {},
         {0, 1, Pair(0xFFFF, 0), Pair(2, 0), 1, Pair(0xF800, 0)}},
        {"later row may step left",
         {{3, w}},
         {{1, red}},
         {Pair(3, 0), 1, Pair(0xFFFF, 0), Pair(static_cast<uint16_t>(-2), 1), 1, Pair(0xF800, 0)}},
        {"a run pixel may hold 0", {{0, RunPixelCode(0)}, {1, w}}, {}, {0, 2, Pair(0, 0xFFFF)}},
    };
    for (const EncodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        CodeGrid grid(4, 2);
        for (auto [x, code] : c.row0) grid.Set(x, 0, code);
        for (auto [x, code] : c.row1) grid.Set(x, 1, code);
        EncodedSprite encoded;
        EncodeRLSprite(grid.Source(), Rect{0, 0, 3, 1}, encoded.sprite);
        EXPECT_EQ(encoded.sprite.runWordCount, static_cast<int32_t>(c.runWords.size()));
        ASSERT_NE(encoded.sprite.runData, nullptr);
        EXPECT_EQ(Words(encoded.sprite.runData, encoded.sprite.runWordCount), c.runWords);
        EXPECT_EQ(encoded.sprite.edgeWordCount, 0);
        EXPECT_EQ(encoded.sprite.edgeData, nullptr);
    }
}

TEST_F(RLSpriteEncodeTest, PositionsAreRelativeToTheRectangle) {
    CodeGrid grid(10, 10);
    grid.Set(4, 5, RunPixelCode(kWhite));
    grid.Set(6, 7, RunPixelCode(kWhite));
    EncodedSprite encoded;
    EncodeRLSprite(grid.Source(), Rect{4, 5, 6, 7}, encoded.sprite);
    EXPECT_EQ(Words(encoded.sprite.runData, encoded.sprite.runWordCount),
              (std::vector<uint32_t>{0, 1, 0xFFFF, Pair(2, 2), 1, 0xFFFF}));
}

// Edge pixels end the run they meet and become records of their position,
// blend level and premultiplied colour.
TEST_F(RLSpriteEncodeTest, EdgePixelsBecomeRecords) {
    CodeGrid grid(5, 1);
    grid.Set(0, 0, RunPixelCode(kWhite));
    grid.Set(1, 0, EdgePixelCode(kWhite, 1));
    grid.Set(3, 0, EdgePixelCode(kWhite, 16));
    grid.Set(4, 0, RunPixelCode(kWhite));
    EncodedSprite encoded;
    EncodeRLSprite(grid.Source(), Rect{0, 0, 4, 0}, encoded.sprite);
    EXPECT_EQ(Words(encoded.sprite.runData, encoded.sprite.runWordCount),
              (std::vector<uint32_t>{0, 1, 0xFFFF, Pair(4, 0), 1, 0xFFFF}));
    EXPECT_EQ(Words(encoded.sprite.edgeData, encoded.sprite.edgeWordCount),
              (std::vector<uint32_t>{Pair(1, 0), Pair(1, 0x39E7), Pair(3, 0), Pair(4, 0xE71C)}));
}

// Every limit, through the classic call (its fatal text) and the status call
// (the limit, its number and what the rectangle holds, counted past the limit).
TEST_F(RLSpriteEncodeTest, LimitsAndTheirTexts) {
    struct LimitCase {
        const char* name;
        int32_t width, height;
        int step;     // opaque every step-th column
        int rowStep;  // of every rowStep-th row
        bool edges;   // edge pixels instead of run pixels
        EncodeLimit limit;
        int64_t number;
        const char* text;
        int64_t unitsWithoutEdges;
    };
    const LimitCase cases[] = {
        // 604 units a row: the 424th row's pixels reach the limit inside the run.
        {"long rows", 600, 430, 1, 1, false, EncodeLimit::RunData, 256000, "List too long 256000\n",
         430 * 604},
        // Runs of one pixel take six units: the run start finds 256002 held.
        {"single pixels", 2000, 50, 2, 1, false, EncodeLimit::RunData, 256002,
         "List too long 256002\n", 50 * 1000 * 6},
        {"edge records", 200, 60, 2, 2, true, EncodeLimit::EdgeList, 10000,
         "Edge list too long 10000\n", 3000 * 6},
        {"runs 32768 apart", 32769, 1, 32768, 1, false, EncodeLimit::SpriteSize, 32769,
         "Sprite too large 32769\n", 12},
        {"a 1 x 65535 strip", 1, 65535, 1, 1, false, EncodeLimit::RunData, 256002,
         "List too long 256002\n", 65535 * 6},
        {"an edge pixel at x 32768", 32769, 1, 32768, 1, true, EncodeLimit::SpriteSize, 32769,
         "Sprite too large 32769\n", 12},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.name);
        CodeGrid grid(c.width, c.height);
        int64_t opaque = 0;
        for (int32_t y = 0; y < c.height; y += c.rowStep) {
            for (int32_t x = 0; x < c.width; x += c.step, ++opaque) {
                grid.Set(x, y, c.edges ? EdgePixelCode(kWhite, 9) : RunPixelCode(kWhite));
            }
        }
        const Rect rectangle{0, 0, c.width - 1, c.height - 1};
        EncodedSprite encoded;
        EXPECT_EQ(FatalTextOf([&] { EncodeRLSprite(grid.Source(), rectangle, encoded.sprite); }),
                  c.text);
        const EncodeStatus status = TryEncodeRLSprite(grid.Source(), rectangle, encoded.sprite);
        EXPECT_EQ(status.limit, c.limit);
        EXPECT_EQ(status.number, c.number);
        EXPECT_EQ(EncodeLimitText(status), c.text);
        EXPECT_EQ(status.opaquePixels, opaque);
        EXPECT_EQ(status.edgePixels, c.edges ? opaque : 0);
        EXPECT_EQ(status.unitsWithoutEdges, c.unitsWithoutEdges);
        EXPECT_EQ(encoded.sprite.runData, nullptr) << "a refused sprite gets no buffer";
    }
}

TEST_F(RLSpriteEncodeTest, JustBelowTheRunLimitEncodes) {
    // 512 rows of 496 pixels: 500 units each, 256000 in all, no check fails.
    CodeGrid grid(496, 512);
    grid.Fill(RunPixelCode(kWhite));
    EncodedSprite encoded;
    const EncodeStatus status =
        TryEncodeRLSprite(grid.Source(), Rect{0, 0, 495, 511}, encoded.sprite);
    EXPECT_EQ(status.limit, EncodeLimit::None);
    EXPECT_EQ(EncodeLimitText(status), "");
    EXPECT_EQ(encoded.sprite.runWordCount, 128000);
    EXPECT_EQ(status.opaquePixels, 496 * 512);
}

// Only what a record cannot hold is refused: run deltas and edge positions
// are signed 16-bit, run lengths 32-bit.
TEST_F(RLSpriteEncodeTest, RecordLimitsDecideWhatIsTooLarge) {
    struct SideCase {
        const char* name;
        int32_t width, height;
        std::vector<std::pair<int32_t, int32_t>> pixels;  // opaque (x, y); empty: all
        bool edges;
    };
    const SideCase cases[] = {
        {"a 65535 x 1 strip of one run", 65535, 1, {}, false},
        {"runs 32767 apart", 40000, 1, {{0, 0}, {32767, 0}}, false},
        {"an edge pixel at x 32767", 32769, 1, {{32767, 0}}, true},
    };
    for (const SideCase& c : cases) {
        SCOPED_TRACE(c.name);
        CodeGrid grid(c.width, c.height);
        const uint32_t code = c.edges ? EdgePixelCode(kWhite, 9) : RunPixelCode(kWhite);
        if (c.pixels.empty()) grid.Fill(code);
        for (auto [x, y] : c.pixels) grid.Set(x, y, code);
        const Rect rectangle{0, 0, c.width - 1, c.height - 1};
        EncodedSprite encoded;
        AnchorRLSprite(encoded.sprite, rectangle, c.width / 2 - 1, c.height / 2 - 1);
        EncodeRLSprite(grid.Source(), rectangle, encoded.sprite);
        EXPECT_EQ(FindRLSpriteFault(encoded.sprite), nullptr);
    }
}

TEST_F(RLSpriteEncodeTest, RectangleBeyondAnImageSideIsRefused) {
    CodeGrid grid(4, 4);
    EncodedSprite encoded;
    EXPECT_EQ(FatalTextOf([&] {
                  EncodeRLSprite(grid.Source(), Rect{0, 0, 65535, 0}, encoded.sprite);
              }),
              "Sprite too large 65536\n");
    const EncodeStatus status =
        TryEncodeRLSprite(grid.Source(), Rect{0, 0, 3, 70000}, encoded.sprite);
    EXPECT_EQ(status.limit, EncodeLimit::SpriteSize);
    EXPECT_EQ(status.number, 70001);
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
    struct FarCase {
        Rect rectangle;
        int32_t cx, cy;
        const char* text;  // "" when it fits
    };
    const FarCase cases[] = {
        {Rect{60000, 0, 60010, 5}, 19999, 2, "Hot spot too far 40001\n"},
        {Rect{0, 0, 5, 5}, 3, 32767, ""},
        {Rect{0, 0, 5, 5}, 3, 32768, "Hot spot too far 32768\n"},
        {Rect{0, 0, 5, 5}, -32768, 3, ""},
        {Rect{0, 0, 5, 5}, -32769, 3, "Hot spot too far 32769\n"},
    };
    for (const FarCase& c : cases) {
        SCOPED_TRACE(c.text);
        RLSprite sprite;
        EXPECT_EQ(FatalTextOf([&] { AnchorRLSprite(sprite, c.rectangle, c.cx, c.cy); }), c.text);
        RLSprite untouched;
        const EncodeStatus status = TryAnchorRLSprite(untouched, c.rectangle, c.cx, c.cy);
        EXPECT_EQ(EncodeLimitText(status), c.text);
        EXPECT_EQ(status.limit == EncodeLimit::HotSpot, c.text[0] != '\0');
        if (status.limit != EncodeLimit::None) {
            EXPECT_EQ(untouched.hotSpot, RLSprite().hotSpot);
        }
    }
}

// Whatever the codes, what the encoder makes is well formed, every opaque
// pixel of the rectangle is in exactly one place, and the counts of the
// status are those of the codes.
TEST_F(RLSpriteEncodeTest, EncodedSpritesAreAlwaysWellFormed) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const int32_t w = 1 + static_cast<int32_t>(random() % 40);
        const int32_t h = 1 + static_cast<int32_t>(random() % 40);
        CodeGrid grid(w, h);
        int64_t opaque = 0;
        int64_t edges = 0;
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                const uint32_t pick = random() % 4;
                const auto value = static_cast<Pixel16>(random());
                if (pick == 0) continue;
                ++opaque;
                edges += pick == 3;
                grid.Set(x, y,
                         pick == 3 ? EdgePixelCode(value, static_cast<int>(random() % 32))
                                   : RunPixelCode(value));
            }
        }
        const Rect rect{0, 0, w - 1, h - 1};
        EncodedSprite encoded;
        AnchorRLSprite(encoded.sprite, rect, w / 2 - 1, h / 2 - 1);
        const EncodeStatus status = TryEncodeRLSprite(grid.Source(), rect, encoded.sprite);
        ASSERT_EQ(status.limit, EncodeLimit::None);
        ASSERT_EQ(FindRLSpriteFault(encoded.sprite, 640), nullptr) << round;

        int64_t runPixels = 0;
        for (int32_t i = 0; i < encoded.sprite.runWordCount;) {
            const auto n = static_cast<int32_t>(encoded.sprite.runData[i + 1]);
            runPixels += n;
            i += 2 + (n + 1) / 2;
        }
        EXPECT_EQ(runPixels + encoded.sprite.edgeWordCount / 2, opaque) << round;
        EXPECT_EQ(status.opaquePixels, opaque) << round;
        EXPECT_EQ(status.edgePixels, edges) << round;
    }
}

}  // namespace
