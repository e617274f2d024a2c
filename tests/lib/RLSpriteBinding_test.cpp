// A sprite knows whether and to which pitch it was bound: a second bind is
// refused, a bound sprite is not stored, and drawing goes by the sprite's own
// pitch as well as the last binding's.
#include <vector>

#include <Vantrel/RLSprite.h>
#include <Vantrel/RLSpriteDraw.h>
#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Viewport.h>
#include "support/SpriteGrid.h"
#include "support/SpriteKit.h"
#include "support/VantrelTest.h"

namespace {

constexpr int32_t kW = 640, kH = 480;

class BindingTest : public VantrelTest {
protected:
    void SetUp() override {
        VantrelTest::SetUp();
        ResetSpritePitch();
        ResetViewports();
    }
    void TearDown() override {
        ResetViewports();
        ResetSpritePitch();
        VantrelTest::TearDown();
    }
};

// A loaded 3 x 2 sprite: one run of two pixels on each row, one edge record.
RLSpritePtr LoadSample(int32_t pitch) {
    RLSprite s;
    uint32_t runs[] = {PackXY(0, 0), 2, 0x07E0F800, PackXY(1, 1), 2, 0xFFFF001F};
    uint32_t edges[] = {PackXY(2, 0), 2 | (0x1234u << 16)};
    s.runWordCount = 6;
    s.runData = runs;
    s.edgeWordCount = 2;
    s.edgeData = edges;
    s.bounds = Rect{0, 0, 2, 1};
    Stream stream = ScratchStream();
    StoreRLSprite(&s, nullptr, stream.get());
    std::rewind(stream.get());
    return RLSpritePtr(LoadRLSprite(nullptr, pitch, stream.get()));
}

TEST_F(BindingTest, TheSpriteKeepsItsPitchAndRefusesASecondBind) {
    RLSpritePtr unbound = LoadSample(0);
    EXPECT_EQ(unbound->boundPitch, 0);
    BindRLSprite(unbound.get(), 320);
    EXPECT_EQ(unbound->boundPitch, 320);
    EXPECT_EQ(static_cast<int32_t>(unbound->runData[3]), 1 + 320);
    EXPECT_EQ(FatalTextOf([&] { BindRLSprite(unbound.get(), 640); }),
              "BindRLSprite: Sprite already bound");
    EXPECT_EQ(FatalTextOf([&] { BindRLSprite(unbound.get(), 320); }),
              "BindRLSprite: Sprite already bound");
    EXPECT_EQ(unbound->boundPitch, 320);
    EXPECT_EQ(static_cast<int32_t>(unbound->runData[3]), 1 + 320) << "nothing bound twice";
    EXPECT_EQ(spritePitch, 320);

    RLSpritePtr loaded = LoadSample(100);
    EXPECT_EQ(loaded->boundPitch, 100);
    EXPECT_EQ(FatalTextOf([&] { BindRLSprite(loaded.get(), 100); }),
              "BindRLSprite: Sprite already bound");
    Stream out = ScratchStream();
    EXPECT_EQ(FatalTextOf([&] { StoreRLSprite(loaded.get(), nullptr, out.get()); }),
              "StoreRLSprite: Not a storable sprite");
    EXPECT_TRUE(ContentsOf(out.get()).empty());

    RLSpritePtr fresh = LoadSample(0);
    for (int32_t pitch : {0, -640}) {
        EXPECT_EQ(FatalTextOf([&] { BindRLSprite(fresh.get(), pitch); }),
                  "BindRLSprite: Bad pitch");
        EXPECT_EQ(fresh->boundPitch, 0);
        EXPECT_EQ(spritePitch, 100);
    }
}

// A sprite bound to half the surface width lies wholly inside the clip, and
// the last binding was to the surface width: the sprite's own pitch sends it
// to the clipped walk, which splits its rows at 320 and so draws it right.
TEST_F(BindingTest, DrawingSplitsRowsAtTheSpritesOwnPitch) {
    std::vector<Pixel16> surface(kW * kH, 0x0841), expected;
    Viewport view(0, 0, kW - 1, kH - 1, surface.data());
    uint32_t state = 31;
    SpriteGrid g = RandomGrid(state, 21, 9);
    g.Bind(320);
    g.sprite.boundPitch = 320;
    const ReferenceDrawer reference = ReferenceDrawer::ForActiveLayout(kW, kH);
    for (const bool holes : {false, true}) {
        for (const int32_t x : {100, 630}) {
            spritePitch = kW;
            std::fill(surface.begin(), surface.end(), 0x0841);
            expected = surface;
            SetRandomSeed(3);
            reference.Draw(expected, g, x, 200, Rect{0, 0, kW - 1, kH - 1},
                           holes ? ReferenceDrawer::kHoles : ReferenceDrawer::kPlain);
            SetRandomSeed(3);
            ASSERT_NE(DrawRLSprite(surface.data(), x, 200, &g.sprite, holes), nullptr);
            EXPECT_TRUE(surface == expected) << "holes " << holes << " at " << x;
        }
    }
}

}  // namespace
