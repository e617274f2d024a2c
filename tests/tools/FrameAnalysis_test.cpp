#include "frames/FramePixelRules.h"

#include <random>
#include <vector>

#include "support/SpriteKit.h"
#include "TestImage.h"
#include "ToolTest.h"

namespace {

class FrameAnalysisTest : public ToolTest {};

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return (r << 16) | (g << 8) | b;
}

struct PaintedPixel {
    int32_t x, y;
    uint32_t colour;
};

struct MarkerCase {
    const char* name;
    std::vector<PaintedPixel> pixels;
    bool allRedsInside;
    uint32_t marker;
};

TEST_F(FrameAnalysisTest, MarkerIsFirstCandidateMissingFromTheInterior) {
    const MarkerCase cases[] = {
        {"empty frame", {}, false, 65536},
        {"R=1 inside", {{3, 3, 65536}}, false, 131072},
        {"R=1 only on the outer ring", {{0, 3, 65536}, {9, 9, 65536}}, false, 65536},
        {"all thirty reds inside", {}, true, 256},
        {"bright colours do not count", {{4, 4, Rgb(32, 0, 0)}, {5, 5, 0xFFFFFF}}, false, 65536},
    };
    for (const MarkerCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestImage image(10, 10);
        for (const PaintedPixel& p : c.pixels) image.Set(p.x, p.y, p.colour);
        if (c.allRedsInside) {
            for (uint32_t n = 1; n <= 30; ++n) image.Set(1 + (n - 1) % 8, 1 + (n - 1) / 8, n << 16);
        }
        EXPECT_EQ(FindMarkerColour(image.View()), c.marker);
    }
}

TEST_F(FrameAnalysisTest, MarkerIsZeroWhenEveryCandidateOccurs) {
    TestImage image(14, 14);
    int i = 0;
    for (uint32_t n = 1; n <= 30; ++n) {
        for (uint32_t colour : {n << 16, n << 8, n, (n << 16) | n}) {
            image.Set(1 + i % 12, 1 + i / 12, colour);
            ++i;
        }
    }
    EXPECT_EQ(FindMarkerColour(image.View()), 0u);
}

// With every candidate in the frame there is no free marker (0). The
// outline pass and the corner pass then change nothing, but the lifting pass
// still brightens every very dark pixel, the dark candidates among them.
TEST_F(FrameAnalysisTest, MarkerZeroStillLiftsDarkPixels) {
    TestImage image(14, 14);
    int i = 0;
    for (uint32_t n = 1; n <= 30; ++n) {
        for (uint32_t colour : {n << 16, n << 8, n, (n << 16) | n}) {
            image.Set(1 + i % 12, 1 + i / 12, colour);
            ++i;
        }
    }
    image.Set(2, 12, Rgb(1, 1, 1));
    image.Set(3, 12, Rgb(7, 0, 0));
    image.Set(5, 12, 0xFFFFFF);      // a bright pixel with black neighbours
    image.Set(0, 13, Rgb(2, 2, 2));  // the outer ring is never changed
    ASSERT_EQ(FindMarkerColour(image.View()), 0u);

    TestImage before = image;
    FrameImage view = image.View();
    PaintBorder(view, 0);
    for (int32_t y = 0; y < 14; ++y) {
        for (int32_t x = 0; x < 14; ++x) {
            const uint32_t colour = before.Get(x, y);
            const bool interior = x >= 1 && x <= 12 && y >= 1 && y <= 12;
            const bool dark = colour != 0 && (colour & 0xF8F8F8) == 0;
            SCOPED_TRACE(testing::Message() << "(" << x << ", " << y << ")");
            EXPECT_EQ(image.Get(x, y), interior && dark ? LiftDarkColour(colour) : colour);
        }
    }
    EXPECT_EQ(image.Get(2, 12), Rgb(8, 8, 8));
    EXPECT_EQ(image.Get(3, 12), Rgb(8, 0, 0));
    EXPECT_EQ(image.Get(1, 1), Rgb(8, 0, 0));  // the candidate R = 1
    EXPECT_EQ(image.Get(4, 12), 0u);           // black beside the bright pixel stays black
}

struct SolidCase {
    uint32_t colour;
    bool solid;
};

TEST_F(FrameAnalysisTest, OnlyBrightNonMarkerColoursAreSolid) {
    const uint32_t marker = 65536;
    const SolidCase cases[] = {
        {0, false},
        {marker, false},
        {Rgb(20, 20, 20), false},
        {Rgb(31, 31, 31), false},
        {Rgb(32, 0, 0), true},
        {Rgb(0, 32, 0), true},
        {Rgb(0, 0, 32), true},
        {0xFFFFFF, true},
        {Rgb(31, 0, 255), true},
    };
    for (const SolidCase& c : cases) {
        SCOPED_TRACE(c.colour);
        EXPECT_EQ(IsSolidPixel(c.colour, marker), c.solid);
    }
}

TEST_F(FrameAnalysisTest, CornerPatterns) {
    for (int pattern :
         {7, 28, 112, 193, 34, 136, 3, 6, 12, 24, 48, 96, 192, 129, 34 | 1, 136 | 16}) {
        EXPECT_TRUE(IsRemovableCornerPattern(static_cast<uint8_t>(pattern))) << pattern;
    }
    for (int pattern : {255, 0, 5, 130, 2, 170, 1, 15}) {
        EXPECT_FALSE(IsRemovableCornerPattern(static_cast<uint8_t>(pattern))) << pattern;
    }
}

TEST_F(FrameAnalysisTest, NeighbourPatternRunsClockwiseFromAboveLeft) {
    TestImage image(5, 5);
    image.Set(1, 1, 0xFFFFFF);  // above left: bit 0
    image.Set(3, 2, 0x010000);  // right: bit 3
    image.Set(1, 3, 0x000001);  // below left: bit 6
    EXPECT_EQ(NeighbourPattern(image.View(), 2, 2), 1 + 8 + 64);
    // Outside the image counts as black.
    EXPECT_EQ(NeighbourPattern(image.View(), 4, 0), 0);
}

TEST_F(FrameAnalysisTest, SingleBrightPixelKeepsOneOutlinePixelBelow) {
    TestImage image(11, 11);
    image.Set(5, 5, 0xFFFFFF);
    const uint32_t marker = FindMarkerColour(image.View());
    ASSERT_EQ(marker, 65536u);
    FrameImage view = image.View();
    PaintBorder(view, marker);
    for (int32_t y = 0; y < 11; ++y) {
        for (int32_t x = 0; x < 11; ++x) {
            uint32_t expected = 0;
            if (x == 5 && y == 5) expected = 0xFFFFFF;
            if (x == 5 && y == 6) expected = marker;
            EXPECT_EQ(image.Get(x, y), expected) << x << "," << y;
        }
    }
}

struct OutlineCase {
    const char* name;
    uint32_t neighbour;
    bool outlined;
};

TEST_F(FrameAnalysisTest, DarkPixelsAttractNoOutline) {
    const OutlineCase cases[] = {
        {"dark grey", Rgb(20, 20, 20), false},
        {"red 32", Rgb(32, 0, 0), true},
    };
    for (const OutlineCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestImage image(9, 9);
        // A horizontal bar of three so that the outline pixels above it are
        // not corners.
        image.Fill(3, 4, 5, 4, c.neighbour);
        FrameImage view = image.View();
        PaintBorder(view, 65536);
        EXPECT_EQ(image.Get(4, 3) == 65536u, c.outlined);
    }
}

TEST_F(FrameAnalysisTest, OuterRingIsNeverOutlined) {
    TestImage image(3, 3);
    image.Set(1, 1, 0xFFFFFF);
    FrameImage view = image.View();
    PaintBorder(view, 65536);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(image.Get(x, y), x == 1 && y == 1 ? 0xFFFFFFu : 0u) << x << "," << y;
}

struct LiftCase {
    uint32_t before;
    uint32_t after;
};

TEST_F(FrameAnalysisTest, VeryDarkPixelsAreLiftedToEight) {
    const LiftCase cases[] = {
        {Rgb(1, 1, 1), Rgb(8, 8, 8)}, {Rgb(7, 0, 0), Rgb(8, 0, 0)}, {Rgb(8, 1, 1), Rgb(8, 1, 1)},
        {Rgb(2, 1, 3), Rgb(5, 2, 8)}, {Rgb(4, 4, 4), Rgb(8, 8, 8)}, {Rgb(7, 7, 3), Rgb(8, 8, 3)},
        {Rgb(3, 6, 0), Rgb(4, 8, 0)}, {Rgb(0, 0, 1), Rgb(0, 0, 8)},
    };
    for (const LiftCase& c : cases) {
        SCOPED_TRACE(c.before);
        TestImage image(5, 5);
        image.Set(2, 2, c.before);
        FrameImage view = image.View();
        PaintBorder(view, 65536);
        EXPECT_EQ(image.Get(2, 2), c.after);
    }
}

TEST_F(FrameAnalysisTest, LiftingMatchesExactArithmeticWhereItDivides) {
    // The single-precision factor never truncates an exact product downwards.
    for (uint32_t colour = 1; colour < 0x080808; ++colour) {
        if ((colour & 0xF8F8F8) != 0) continue;
        const int channels[3] = {static_cast<int>(colour >> 16),
                                 static_cast<int>((colour >> 8) & 0xFF),
                                 static_cast<int>(colour & 0xFF)};
        const uint32_t lifted = LiftDarkColour(colour);
        const int out[3] = {static_cast<int>(lifted >> 16), static_cast<int>((lifted >> 8) & 0xFF),
                            static_cast<int>(lifted & 0xFF)};
        int strongest = std::max({channels[0], channels[1], channels[2]});
        for (int c = 0; c < 3; ++c) {
            ASSERT_EQ(out[c], channels[c] * 8 / strongest) << colour;
        }
    }
}

struct BoundsCase {
    const char* name;
    std::vector<PaintedPixel> main;
    std::vector<PaintedPixel> alpha;
    bool useAlpha;
    bool border;
    Rect bounds;
};

TEST_F(FrameAnalysisTest, FrameBoundsHoldEveryVisiblePixel) {
    const BoundsCase cases[] = {
        {"one pixel", {{4, 3, 0xFFFFFF}}, {}, false, false, {4, 3, 4, 3}},
        {"spread", {{1, 6, 1}, {8, 2, Rgb(0, 9, 0)}}, {}, false, false, {1, 2, 8, 6}},
        {"touching the edges", {{0, 0, 1}, {9, 7, 1}}, {}, false, false, {0, 0, 9, 7}},
        {"nothing visible", {}, {}, false, false, {0, 0, -1, -1}},
        {"marker visible with border", {{2, 2, 65536}}, {}, false, true, {2, 2, 2, 2}},
        {"alpha rules",
         {{1, 1, 0xFFFFFF}, {5, 5, 0xFFFFFF}},
         {{5, 5, 0xFFFFFF}, {6, 6, 1}},
         true,
         false,
         {5, 5, 6, 6}},
    };
    for (const BoundsCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestImage main(10, 8);
        TestImage alpha(10, 8);
        for (const PaintedPixel& p : c.main) main.Set(p.x, p.y, p.colour);
        for (const PaintedPixel& p : c.alpha) alpha.Set(p.x, p.y, p.colour);
        FrameRules rules;
        rules.main = main.View();
        if (c.useAlpha) rules.alpha = alpha.View();
        rules.border = c.border;
        rules.marker = c.border ? 65536 : 0;
        const Rect r = FindFrameBounds(rules);
        EXPECT_EQ(r.left, c.bounds.left);
        EXPECT_EQ(r.top, c.bounds.top);
        EXPECT_EQ(r.right, c.bounds.right);
        EXPECT_EQ(r.bottom, c.bounds.bottom);
    }
}

// The bounds search scans rows once; the four searches it replaces (first
// row from the top, from the bottom, first column from the left, from the
// right) give the same rectangle on random sparse frames, single-channel
// colours (one nonzero byte anywhere in a pixel) included.
TEST_F(FrameAnalysisTest, BoundsMatchTheFourSearches) {
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        const int32_t w = 1 + static_cast<int32_t>(random() % 40);
        const int32_t h = 1 + static_cast<int32_t>(random() % 12);
        TestImage image(w, h);
        const int dots = static_cast<int>(random() % 4);
        for (int d = 0; d < dots; ++d) {
            const uint32_t colours[] = {1, 256, 65536, 0xFFFFFF, 65536};
            image.Set(static_cast<int32_t>(random() % w), static_cast<int32_t>(random() % h),
                      colours[random() % 5]);
        }
        FrameRules rules;
        rules.main = image.View();
        rules.border = (round & 1) != 0;
        rules.marker = rules.border ? 65536 : 0;
        auto visible = [&](int32_t x, int32_t y) { return ReadRgb(rules.main, x, y) != 0; };
        Rect expected{0, 0, -1, -1};
        int32_t top = 0;
        while (top < h && ![&] {
            for (int32_t x = 0; x < w; ++x)
                if (visible(x, top)) return true;
            return false;
        }())
            ++top;
        if (top < h) {
            auto rowHas = [&](int32_t y) {
                for (int32_t x = 0; x < w; ++x)
                    if (visible(x, y)) return true;
                return false;
            };
            auto columnHas = [&](int32_t x) {
                for (int32_t y = 0; y < h; ++y)
                    if (visible(x, y)) return true;
                return false;
            };
            expected.top = top;
            expected.bottom = h - 1;
            while (!rowHas(expected.bottom)) --expected.bottom;
            expected.left = 0;
            while (!columnHas(expected.left)) ++expected.left;
            expected.right = w - 1;
            while (!columnHas(expected.right)) --expected.right;
        }
        const Rect r = FindFrameBounds(rules);
        ASSERT_EQ(r.left, expected.left) << round;
        ASSERT_EQ(r.top, expected.top) << round;
        ASSERT_EQ(r.right, expected.right) << round;
        ASSERT_EQ(r.bottom, expected.bottom) << round;
    }
}

TEST_F(FrameAnalysisTest, MarkerZeroMakesEveryPixelVisible) {
    TestImage image(6, 4);
    FrameRules rules;
    rules.main = image.View();
    rules.border = true;
    rules.marker = 0;
    const Rect r = FindFrameBounds(rules);
    EXPECT_EQ(r.right, 5);
    EXPECT_EQ(r.bottom, 3);
    EXPECT_EQ(ClassifyPixel(rules, 2, 2), RunPixelCode(0));
}

TEST_F(FrameAnalysisTest, EdgePixelsHaveABlackNeighbourOrTouchTheImageEdge) {
    TestImage image(6, 6);
    image.Fill(0, 0, 4, 4, 0xFFFFFF);
    const FrameImage view = image.View();
    EXPECT_FALSE(IsEdgePixel(view, 2, 2));
    EXPECT_TRUE(IsEdgePixel(view, 4, 2));  // right neighbour black
    EXPECT_TRUE(IsEdgePixel(view, 0, 2));  // left neighbour outside
    EXPECT_TRUE(IsEdgePixel(view, 3, 3) == false);
    image.Set(2, 3, 0);
    EXPECT_TRUE(IsEdgePixel(image.View(), 3, 2));  // below left
}

struct ClassifyCase {
    const char* name;
    uint32_t mainColour;
    bool withAlpha;
    uint32_t alphaColour;
    bool border;
    bool feather;
    uint32_t code;
};

TEST_F(FrameAnalysisTest, PixelRules) {
    const uint32_t grey = Rgb(128, 128, 128);
    const Pixel16 greyValue = RgbTo565NonBlack(128, 128, 128);
    const ClassifyCase cases[] = {
        {"plain opaque", grey, false, 0, false, false, RunPixelCode(greyValue)},
        {"plain black", 0, false, 0, false, false, kTransparentPixelCode},
        {"very dark stays opaque", Rgb(0, 0, 1), false, 0, false, false, RunPixelCode(1)},
        {"marker is opaque black", 65536, false, 0, true, false, RunPixelCode(0)},
        {"marker without border is colour", 65536, false, 0, false, false,
         RunPixelCode(RgbTo565NonBlack(1, 0, 0))},
        {"feather on an isolated pixel", grey, false, 0, false, true, EdgePixelCode(greyValue, 16)},
        {"alpha white is a run pixel", grey, true, 0xFFFFFF, false, true, RunPixelCode(greyValue)},
        {"alpha black is transparent", grey, true, 0, false, true, kTransparentPixelCode},
        {"alpha grey is an edge", grey, true, grey, false, true, EdgePixelCode(greyValue, 16)},
        {"alpha dark red is dim", grey, true, Rgb(40, 0, 0), false, true,
         EdgePixelCode(greyValue, 1)},
        {"alpha over a black pixel stores black", 0, true, 0xFFFFFF, false, true, RunPixelCode(0)},
    };
    for (const ClassifyCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestImage main(5, 5);
        TestImage alpha(5, 5);
        main.Set(2, 2, c.mainColour);
        alpha.Set(2, 2, c.alphaColour);
        FrameRules rules;
        rules.main = main.View();
        if (c.withAlpha) rules.alpha = alpha.View();
        rules.border = c.border;
        rules.marker = c.border ? 65536 : 0;
        rules.feather = c.feather;
        EXPECT_EQ(ClassifyPixel(rules, 2, 2), c.code);
        // The row classifiers the encoder uses agree with the per-pixel rules.
        FrameSource frameSource(rules);
        const RLSpriteSource& source = frameSource.source;
        Pixel16 values[7];
        uint8_t kinds[7];
        source.classifyRow(source.context, 2, -1, 5, values, kinds);
        for (int32_t x = -1; x <= 5; ++x) {
            const uint32_t code = ClassifyPixel(rules, x, 2);
            EXPECT_EQ(kinds[x + 1], PixelCodeKind(code)) << x;
            if (code != kTransparentPixelCode) {
                EXPECT_EQ(values[x + 1], PixelCodeValue(code)) << x;
            }
        }
    }
}

// The row classifiers convert every colour as RgbTo565NonBlack does, on every
// row including the image's last pixel.
TEST_F(FrameAnalysisTest, RowValuesMatchTheColourConversion) {
    struct Layout {
        const char* name;
        uint32_t (*colour)(int32_t x, int32_t y);
    };
    const Layout layouts[] = {
        {"red x, green y",
         [](int32_t x, int32_t y) { return Rgb(x, y, static_cast<uint32_t>(x ^ y)); }},
        {"blue x, red y",
         [](int32_t x, int32_t y) { return Rgb(y, static_cast<uint32_t>((x + y) & 255), x); }},
        {"dark channels",
         [](int32_t x, int32_t y) {
             return Rgb(static_cast<uint32_t>(x & 7), static_cast<uint32_t>((x >> 3) & 7),
                        static_cast<uint32_t>(y & 7));
         }},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.name);
        TestImage image(256, 256);
        for (int32_t y = 0; y < 256; ++y)
            for (int32_t x = 0; x < 256; ++x) image.Set(x, y, layout.colour(x, y));
        for (bool border : {false, true}) {
            FrameRules rules;
            rules.main = image.View();
            rules.border = border;
            rules.marker = border ? 0xABCDEF : 0;
            FrameSource frameSource(rules);
            const RLSpriteSource& source = frameSource.source;
            std::vector<Pixel16> values(256);
            std::vector<uint8_t> kinds(256);
            for (int32_t y = 0; y < 256; ++y) {
                for (auto [left, right] : {std::pair{0, 255}, {1, 254}, {3, 3}, {250, 255}}) {
                    source.classifyRow(source.context, y, left, right, values.data(), kinds.data());
                    for (int32_t x = left; x <= right; ++x) {
                        const uint32_t c = layout.colour(x, y);
                        const Pixel16 expected = RgbTo565NonBlack(static_cast<int>(c >> 16),
                                                                  static_cast<int>((c >> 8) & 255),
                                                                  static_cast<int>(c & 255));
                        ASSERT_EQ(kinds[x - left], c != 0 ? kRunPixel : kTransparentPixel);
                        if (c != 0) {
                            ASSERT_EQ(values[x - left], expected) << x << "," << y;
                        }
                    }
                }
            }
        }
    }
}

// Every row classifier agrees with the per-pixel rules on random frames, for
// whole rows, interior rows and rows reaching past the image.
TEST_F(FrameAnalysisTest, RowClassifiersAgreeWithThePixelRules) {
    std::mt19937 random(11);
    const uint32_t palette[] = {
        0, 0, 0xFFFFFF, 65536, 131072, Rgb(90, 40, 200), Rgb(3, 3, 3), Rgb(128, 128, 128)};
    for (int round = 0; round < 64; ++round) {
        const int32_t w = 1 + static_cast<int32_t>(random() % 24);
        const int32_t h = 1 + static_cast<int32_t>(random() % 24);
        TestImage main(w, h);
        TestImage alpha(w, h);
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                main.Set(x, y, palette[random() % 8]);
                alpha.Set(x, y, palette[random() % 8]);
            }
        }
        FrameRules rules;
        rules.main = main.View();
        rules.border = (round & 1) != 0;
        rules.marker = rules.border ? 65536 : 0;
        rules.feather = (round & 2) != 0;
        if ((round & 4) != 0) rules.alpha = alpha.View();
        FrameSource frameSource(rules);
        const RLSpriteSource& source = frameSource.source;
        std::vector<Pixel16> values(static_cast<size_t>(w) + 4);
        std::vector<uint8_t> kinds(static_cast<size_t>(w) + 4);
        for (int32_t y = -1; y <= h; ++y) {
            for (auto [left, right] : {std::pair{0, w - 1}, {1, w - 2}, {-2, w + 1}}) {
                if (right < left) continue;
                source.classifyRow(source.context, y, left, right, values.data(), kinds.data());
                for (int32_t x = left; x <= right; ++x) {
                    const uint32_t code = ClassifyPixel(rules, x, y);
                    ASSERT_EQ(kinds[x - left], PixelCodeKind(code))
                        << round << ":" << x << "," << y;
                    if (code != kTransparentPixelCode) {
                        ASSERT_EQ(values[x - left], PixelCodeValue(code)) << round;
                    }
                }
            }
        }
    }
}

// The row classifiers work 16 and 64 pixels at a time: they agree with the
// per-pixel rules on random frames of widths around those steps, dense and
// sparse, with dim colours whose RGB565 value would truncate to 0, for rows
// inside the image, on its outermost rows and columns, and reaching past it,
// asked for row after row as the encoder does.
TEST_F(FrameAnalysisTest, WideRowClassifiersAgreeWithThePixelRules) {
    struct WidthCase {
        int32_t width;
        int32_t height;
        unsigned blackPercent;
    };
    const WidthCase widths[] = {{15, 5, 30},  {16, 4, 10},  {17, 6, 50}, {31, 3, 5},
                                {62, 5, 20},  {63, 4, 40},  {64, 5, 2},  {65, 6, 30},
                                {66, 4, 60},  {127, 3, 15}, {128, 4, 1}, {129, 5, 35},
                                {130, 3, 25}, {200, 4, 45}, {257, 3, 20}};
    std::mt19937 random(29);
    auto colour = [&random](unsigned blackPercent) -> uint32_t {
        if (random() % 100 < blackPercent) return 0;
        switch (random() % 6) {
            case 0:
                return 0xFFFFFF;
            case 1:
                return Rgb(random() % 8, random() % 4, random() % 8);  // dim
            case 2:
                return 65536;
            default:
                return random() & 0xFFFFFF;
        }
    };
    for (const WidthCase& c : widths) {
        for (int options = 0; options < 8; ++options) {
            SCOPED_TRACE(testing::Message() << c.width << " wide, options " << options);
            TestImage main(c.width, c.height);
            TestImage alpha(c.width, c.height);
            for (int32_t y = 0; y < c.height; ++y) {
                for (int32_t x = 0; x < c.width; ++x) {
                    main.Set(x, y, colour(c.blackPercent));
                    alpha.Set(x, y, colour(c.blackPercent));
                }
            }
            FrameRules rules;
            rules.main = main.View();
            rules.border = (options & 1) != 0;
            rules.marker = rules.border ? 65536 : 0;
            rules.feather = (options & 2) != 0;
            if ((options & 4) != 0) rules.alpha = alpha.View();
            FrameSource frameSource(rules);
            const RLSpriteSource& source = frameSource.source;
            const int32_t w = c.width;
            std::vector<Pixel16> values(static_cast<size_t>(w) + 8);
            std::vector<uint8_t> kinds(static_cast<size_t>(w) + 8);
            // Rows in order, as the encoder asks for them (the feathering
            // classifier reuses the rows around the last one); the first
            // stretch twice over, the second time from the top again.
            for (auto [left, right] : {std::pair{0, w - 1},
                                       {0, w - 1},
                                       {1, w - 2},
                                       {-3, w + 2},
                                       {w / 3, w - 1},
                                       {0, w / 2},
                                       {2, w - 4}}) {
                for (int32_t y = -1; y <= c.height; ++y) {
                    if (right < left) continue;
                    source.classifyRow(source.context, y, left, right, values.data(), kinds.data());
                    for (int32_t x = left; x <= right; ++x) {
                        const uint32_t code = ClassifyPixel(rules, x, y);
                        ASSERT_EQ(kinds[x - left], PixelCodeKind(code)) << x << "," << y;
                        if (code != kTransparentPixelCode) {
                            ASSERT_EQ(values[x - left], PixelCodeValue(code)) << x << "," << y;
                        }
                    }
                }
            }
        }
    }
}

TEST_F(FrameAnalysisTest, BrightnessAveragesTopFiveBits) {
    EXPECT_EQ(EdgeBrightness(Rgb(128, 128, 128)), 16);
    EXPECT_EQ(EdgeBrightness(Rgb(40, 0, 0)), 1);
    EXPECT_EQ(EdgeBrightness(0xFFFFFF), 31);
    EXPECT_EQ(EdgeBrightness(Rgb(7, 7, 7)), 0);
}

TEST_F(FrameAnalysisTest, ReadRgbGivesChannelsAndBlackOutside) {
    TestImage image(2, 2);
    image.Set(1, 0, Rgb(10, 20, 30));
    uint8_t r = 9, g = 9, b = 9;
    EXPECT_EQ(ReadRgb(image.View(), 1, 0, &r, &g, &b), Rgb(10, 20, 30));
    EXPECT_EQ(r, 10);
    EXPECT_EQ(g, 20);
    EXPECT_EQ(b, 30);
    for (auto [x, y] : {std::pair{-1, 0}, {2, 0}, {0, -1}, {0, 2}}) {
        EXPECT_EQ(ReadRgb(image.View(), x, y, &r, nullptr, nullptr), 0u);
        EXPECT_EQ(r, 0);
    }
}

// The encoder fed by the frame rules: what Quarvin and Plimsor store.

std::vector<uint32_t> Words(const uint32_t* data, int32_t count) {
    return data == nullptr ? std::vector<uint32_t>{} : std::vector<uint32_t>(data, data + count);
}

uint32_t Pair(uint32_t low, uint32_t high) {
    return low | (high << 16);
}

TEST_F(FrameAnalysisTest, MarkerPixelsAreStoredAsOpaqueBlack) {
    TestImage image(4, 2);
    image.Set(0, 0, 65536);
    image.Set(1, 0, 0xFFFFFF);
    FrameRules rules;
    rules.main = image.View();
    rules.border = true;
    rules.marker = 65536;
    EncodedSprite encoded;
    EncodeFrame(rules, Rect{0, 0, 3, 1}, encoded.sprite);
    EXPECT_EQ(Words(encoded.sprite.runData, encoded.sprite.runWordCount),
              (std::vector<uint32_t>{0, 2, Pair(0, 0xFFFF)}));
}

TEST_F(FrameAnalysisTest, FeatherWithoutAlphaMakesEdgeRecordsOfTheOutermostPixels) {
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

TEST_F(FrameAnalysisTest, AlphaImageDecidesOpacityAndShading) {
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

// Whatever the picture and options, what the encoder makes of a frame is well
// formed and every pixel of the rectangle is in exactly one place.
TEST_F(FrameAnalysisTest, EncodedFramesAreAlwaysWellFormed) {
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
