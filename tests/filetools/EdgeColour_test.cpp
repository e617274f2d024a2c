// rlsunpack's colour for an edge pixel: every colour the encoder's shading
// can store for a level must come back from the colour rlsunpack writes,
// checked against the library's own FeatherLevel for all 65536 pixels.
#include <gtest/gtest.h>

#include <Vantrel/RLSpriteEncode.h>

#include "RayPictures.h"

namespace {

// A brightness that gives each level (0..3, 4..5, 6..8, 9..31).
constexpr int kBrightness[5] = {0, 2, 5, 7, 20};

TEST(EdgeColour, EveryStoredColourComesBackThroughTheEncodersShading) {
    for (int level = 1; level <= 4; ++level) {
        for (uint32_t p = 0; p <= 0xFFFF; ++p) {
            Pixel16 stored = 0;
            ASSERT_EQ(FeatherLevel(static_cast<Pixel16>(p), kBrightness[level], stored), level);
            bool exact = false;
            const uint16_t written = UnshadeEdgeColour(stored, level, exact);
            ASSERT_TRUE(exact) << "level " << level << " pixel " << p;
            Pixel16 again = 0;
            FeatherLevel(written, kBrightness[level], again);
            ASSERT_EQ(again, stored) << "level " << level << " pixel " << p;
        }
    }
}

TEST(EdgeColour, AColourNoShadingGivesIsTheNearestAndSaysSo) {
    bool exact = true;
    // A quarter of a 5-bit channel is at most 7: red 31 cannot be stored.
    const uint16_t written = UnshadeEdgeColour(0xF800, 1, exact);
    EXPECT_FALSE(exact);
    Pixel16 again = 0;
    FeatherLevel(written, kBrightness[1], again);
    EXPECT_EQ(again, 7 << 11);  // red as far as a quarter goes
}

}  // namespace
