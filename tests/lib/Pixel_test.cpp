#include <Vantrel/Pixel.h>

#include <algorithm>
#include <iterator>

#include "support/VantrelTest.h"

namespace {

class PixelTest : public VantrelTest {};

TEST_F(PixelTest, ConvertFrom565IsIdentityIn565ForEveryValue) {
    for (uint32_t p = 0; p < 65536; ++p) {
        ASSERT_EQ(ConvertFrom565(static_cast<Pixel16>(p)), p);
    }
}

struct RgbCase {
    int r, g, b;
    Pixel16 plain;
    Pixel16 nonBlack;
};

TEST_F(PixelTest, RgbConversionsTruncateAndKeepDarkColoursVisible) {
    const RgbCase cases[] = {
        {255, 255, 255, 0xFFFF, 0xFFFF}, {8, 4, 8, 0x0821, 0x0821}, {7, 3, 7, 0x0000, 0x0821},
        {0, 0, 0, 0x0000, 0x0000},       {7, 0, 0, 0x0000, 0x0800}, {0, 3, 7, 0x0000, 0x0021},
        {200, 0, 0, 0xC800, 0xC800},     {3, 2, 7, 0x0000, 0x0821},
    };
    for (const RgbCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.r << "," << c.g << "," << c.b);
        EXPECT_EQ(RgbTo565(c.r, c.g, c.b), c.plain);
        EXPECT_EQ(RgbTo565NonBlack(c.r, c.g, c.b), c.nonBlack);
    }
}

TEST_F(PixelTest, ProgramStartSetsWidthsAndShiftsButNoMasks) {
    ResetPixelMode();
    EXPECT_EQ(PixelMode.modeCode, 0);
    EXPECT_EQ(BlendTablesPending, 1);
    EXPECT_EQ(SetPixelMode565(), 565);
    EXPECT_EQ(PixelMode.modeCode, 0) << "the caller stores the code";
    SelectProgramPixelMode();
    EXPECT_EQ(PixelMode.modeCode, 565);
    const int32_t fields[] = {PixelMode.redBits,  PixelMode.greenBits,  PixelMode.blueBits,
                              PixelMode.redShift, PixelMode.greenShift, PixelMode.blueShift};
    const int32_t expected[] = {5, 6, 5, 11, 5, 0};
    EXPECT_TRUE(std::equal(std::begin(fields), std::end(fields), std::begin(expected)));
    EXPECT_EQ(PixelMode.redMask | PixelMode.greenMask | PixelMode.blueMask, 0u);
    int32_t r = -1, g = -1, b = -1;
    PixelToRgb(0xFFFF, r, g, b);
    EXPECT_EQ(r + g + b, 0) << "zero masks decode every pixel to black";
}

TEST_F(PixelTest, StandardColoursInTheProgramsMode) {
    const Pixel16 expected[kStandardColourCount] = {
        0xFFFF, 0x8000, 0x0400, 0x8400, 0x0010, 0x8010, 0x0410, 0xF800,
        0x07E0, 0xFFE0, 0x001F, 0xF81F, 0x07FF, 0xC618, 0x8410, 0x528A,
        0xE6D5, 0xE44A, 0x9B08, 0xD594, 0x2104, 0x39C7, 0x9C0F,
    };
    for (int k = 0; k < kStandardColourCount; ++k) EXPECT_EQ(StandardColours[k], expected[k]) << k;
    SelectPixelLayout555();
    EXPECT_EQ(StandardColours[0], 0x7FFF);
    EXPECT_EQ(StandardColours[8], 0x03E0) << "pure green in 555";
}

TEST_F(PixelTest, Layout555DropsTheLowestGreenBit) {
    SelectPixelLayout555();
    EXPECT_EQ(PixelMode.modeCode, 555);
    EXPECT_EQ(ConvertFrom565(0xFFFF), 0x7FFF);
    EXPECT_EQ(ConvertFrom565(0x0020), 0x0000);
    EXPECT_EQ(ConvertFrom565(0xF800), 0x7C00);
    EXPECT_EQ(ConvertFrom565(0x07E0), 0x03E0);
    EXPECT_EQ(ConvertFrom565(0x001F), 0x001F);
    // Known answers: red and blue keep their five bits, green drops its lowest.
    const struct {
        Pixel16 from, to;
    } cases[] = {{0x1234, 0x0914}, {0xABCD, 0x55ED}, {0x8410, 0x4210}, {0x0841, 0x0421},
                 {0xFFDF, 0x7FFF}, {0x0040, 0x0020}, {0xF81F, 0x7C1F}};
    for (const auto& c : cases) EXPECT_EQ(ConvertFrom565(c.from), c.to) << std::hex << c.from;
    for (uint32_t p = 0; p < 65536; ++p) ASSERT_EQ(ConvertFrom565(p) & 0x8000, 0) << p;
}

// A general layout, given as widths and shifts of red, green, blue.
struct LayoutCase {
    int rBits, rShift, gBits, gShift, bBits, bShift;
};

// The reference: each channel brought to its width by shifting, then placed.
Pixel16 ReferenceFrom565(Pixel16 p, const LayoutCase& l) {
    auto fit = [](uint32_t v, int from, int to) {
        return to >= from ? v << (to - from) : v >> (from - to);
    };
    return static_cast<Pixel16>((fit(p >> 11, 5, l.rBits) << l.rShift) |
                                (fit((p >> 5) & 0x3F, 6, l.gBits) << l.gShift) |
                                (fit(p & 0x1F, 5, l.bBits) << l.bShift));
}

TEST_F(PixelTest, GeneralLayoutsRepackEveryPixelAndDecodeWithTheirMasks) {
    const LayoutCase cases[] = {
        {4, 12, 6, 6, 6, 0},  // widths differing from 565 both ways
        {5, 0, 6, 5, 5, 11},  // blue on top
        {4, 8, 4, 4, 4, 0},   // 444, top bits unused
        {1, 15, 8, 7, 7, 0},  // extremes
    };
    for (const LayoutCase& l : cases) {
        SCOPED_TRACE(testing::Message() << l.rBits << l.gBits << l.bBits << " at " << l.rShift
                                        << "/" << l.gShift << "/" << l.bShift);
        ASSERT_TRUE(SelectPixelLayout(l.rBits, l.rShift, l.gBits, l.gShift, l.bBits, l.bShift));
        EXPECT_NE(PixelMode.modeCode, 565);
        EXPECT_NE(PixelMode.modeCode, 555);
        EXPECT_EQ(PixelMode.redMask, ((1u << l.rBits) - 1) << l.rShift);
        EXPECT_EQ(PixelMode.greenMask, ((1u << l.gBits) - 1) << l.gShift);
        EXPECT_EQ(PixelMode.blueMask, ((1u << l.bBits) - 1) << l.bShift);
        for (uint32_t p = 0; p < 65536; ++p) {
            ASSERT_EQ(ConvertFrom565(static_cast<Pixel16>(p)), ReferenceFrom565(p, l)) << p;
        }
        // Full channels decode to their top bits with the low bits clear.
        int32_t r, g, b;
        PixelToRgb(
            static_cast<Pixel16>(PixelMode.redMask | PixelMode.greenMask | PixelMode.blueMask), r,
            g, b);
        auto top = [](int bits) { return bits >= 8 ? 255 : (255 << (8 - bits)) & 255; };
        EXPECT_EQ(r, top(l.rBits));
        EXPECT_EQ(g, top(l.gBits));
        EXPECT_EQ(b, top(l.bBits));
    }
}

TEST_F(PixelTest, FullLayoutSelectionsDecodeTheirOwnPixels) {
    SelectPixelLayout565();
    EXPECT_EQ(PixelMode.modeCode, 565);
    EXPECT_EQ(PixelMode.redMask, 0xF800u);
    EXPECT_EQ(PixelMode.greenMask, 0x07E0u);
    EXPECT_EQ(PixelMode.blueMask, 0x001Fu);
    for (int layout = 0; layout < 2; ++layout) {
        if (layout == 1) SelectPixelLayout555();
        for (int v = 0; v < 256; v += 3) {
            int32_t r, g, b;
            PixelToRgb(ConvertFrom565(RgbTo565(v, 255 - v, v / 2)), r, g, b);
            ASSERT_EQ(r, v & 0xF8);
            ASSERT_EQ(g, (255 - v) & (layout == 0 ? 0xFC : 0xF8));
            ASSERT_EQ(b, (v / 2) & 0xF8);
        }
    }
    int32_t r, g, b;
    SelectPixelLayout565();
    PixelToRgb(0xFFFF, r, g, b);
    EXPECT_EQ(r, 248);
    EXPECT_EQ(g, 252);
    EXPECT_EQ(b, 248);
}

TEST_F(PixelTest, UnsoundLayoutsAreRefusedAndChangeNothing) {
    const LayoutCase refused[] = {
        {0, 11, 6, 5, 5, 0}, {5, 12, 6, 5, 5, 0}, {5, 11, 6, 4, 5, 0}, {5, -1, 6, 5, 5, 0},
        {17, 0, 6, 5, 5, 0}, {40, 0, 1, 0, 1, 0}, {5, 11, 6, 5, 5, 1}, {8, 8, 8, 0, 1, 0},
    };
    for (const LayoutCase& l : refused) {
        EXPECT_FALSE(SelectPixelLayout(l.rBits, l.rShift, l.gBits, l.gShift, l.bBits, l.bShift));
        EXPECT_EQ(PixelMode.modeCode, 565);
        EXPECT_EQ(ConvertFrom565(0x1234), 0x1234);
    }
}

TEST_F(PixelTest, ClampTablesAreBuiltOnFirstUse) {
    EXPECT_EQ(BlendTablesPending, 1);
    InitBlendTables();
    EXPECT_EQ(BlendTablesPending, 0);
    // Known answers on both sides of each channel's largest value.
    const struct {
        const uint8_t* table;
        int index, value;
    } cases[] = {{ClampTable4, 0, 0},   {ClampTable4, 14, 14},  {ClampTable4, 15, 15},
                 {ClampTable4, 16, 15}, {ClampTable4, 31, 15},  {ClampTable5, 1, 1},
                 {ClampTable5, 30, 30}, {ClampTable5, 31, 31},  {ClampTable5, 32, 31},
                 {ClampTable5, 63, 31}, {ClampTable6, 62, 62},  {ClampTable6, 63, 63},
                 {ClampTable6, 64, 63}, {ClampTable6, 127, 63}, {ClampTable5, 10 + 5, 15}};
    for (const auto& c : cases) EXPECT_EQ(c.table[c.index], c.value) << c.index;
}

// Known answers where plain truncation gives black: every channel with any
// light keeps its smallest non-zero value; elsewhere both agree.
TEST_F(PixelTest, NonBlackOnlyDiffersWherePlainTruncationGivesBlack) {
    const RgbCase cases[] = {
        {1, 0, 0, 0x0000, 0x0800},   {0, 1, 0, 0x0000, 0x0020},      {0, 0, 1, 0x0000, 0x0001},
        {7, 3, 0, 0x0000, 0x0820},   {0, 3, 7, 0x0000, 0x0021},      {5, 2, 6, 0x0000, 0x0821},
        {8, 0, 0, 0x0800, 0x0800},   {7, 4, 0, 0x0020, 0x0020},      {0, 0, 8, 0x0001, 0x0001},
        {255, 0, 7, 0xF800, 0xF800}, {100, 200, 50, 0x6646, 0x6646}, {0, 0, 0, 0x0000, 0x0000},
    };
    for (const RgbCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.r << "," << c.g << "," << c.b);
        EXPECT_EQ(RgbTo565(c.r, c.g, c.b), c.plain);
        EXPECT_EQ(RgbTo565NonBlack(c.r, c.g, c.b), c.nonBlack);
    }
}

}  // namespace
