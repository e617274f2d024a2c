#include "../../Vantrel/Pixel.h"

#include "../support/VantrelTest.h"

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

}  // namespace
