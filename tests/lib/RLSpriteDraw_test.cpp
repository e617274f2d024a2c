// Sprite drawing: the worked examples, the choice of plan, every plan and
// every clip edge against the slow reference drawer in each layout, sprites
// that are not bound, and writes that must stay inside the clip whatever the
// sprite holds.
#include <cstring>
#include <vector>

#include <Vantrel/Canvas.h>
#include <Vantrel/RLSpriteDraw.h>
#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Viewport.h>
#include "SpriteDrawPlan.h"
#include "support/ScratchStream.h"
#include "support/SpriteGrid.h"
#include "support/VantrelTest.h"

namespace {

constexpr int32_t kW = 640, kH = 480;

class DrawTest : public VantrelTest {
protected:
    void SetUp() override {
        VantrelTest::SetUp();
        ResetViewports();
        spritePitch = kW;
    }
    void TearDown() override {
        ResetViewports();
        spritePitch = kW;
        VantrelTest::TearDown();
    }
    std::vector<Pixel16> surface = std::vector<Pixel16>(kW * kH, 0);
    Pixel16& At(int32_t x, int32_t y) { return surface[static_cast<size_t>(y) * kW + x]; }

    // A one-row grid of run pixels of one colour.
    static SpriteGrid Row(int32_t n, Pixel16 colour) {
        SpriteGrid g;
        g.w = n;
        g.h = 1;
        g.cells.assign(n, SpriteCell{SpriteCell::kRun, colour, 0});
        g.Bind(kW);
        return g;
    }
};

TEST_F(DrawTest, EdgeLevelTwoOverWhite) {
    Viewport view(0, 0, kW - 1, kH - 1, surface.data());
    SpriteGrid g;
    g.w = g.h = 1;
    g.cells = {SpriteCell{SpriteCell::kEdge, 0, 2}};
    g.Bind(kW);
    At(10, 10) = 0xFFFF;
    ASSERT_NE(DrawRLSprite(surface.data(), 10, 10, &g.sprite, false), nullptr);
    EXPECT_EQ(At(10, 10), 0x7BEF);
}

TEST_F(DrawTest, BlendWorkedExamples) {
    Viewport view(0, 0, kW - 1, kH - 1, surface.data());
    const struct {
        Pixel16 sprite, background;
        bool additive;
        Pixel16 expected;
    } cases[] = {
        {0xFFFF, 0x0000, false, 0x39E7},  // a quarter of white over black
        {0x8410, 0x8410, true, 0xFFFF},   // each channel saturates
        {0x001F, 0x0001, true, 0x001F},   // blue saturates without reaching green
        {0x07E0, 0x0020, true, 0x07E0},   // green saturates without reaching red
        {0x0821, 0x0821, true, 0x1042},
    };
    EXPECT_EQ(BlendTablesPending, 1);
    for (const auto& c : cases) {
        SpriteGrid g = Row(5, c.sprite);  // four pixels packed, one alone
        for (int i = 0; i < 5; ++i) At(20 + i, 20) = c.background;
        ASSERT_NE(DrawRLSpriteBlend(surface.data(), 20, 20, &g.sprite, c.additive), nullptr);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(At(20 + i, 20), c.expected) << std::hex << c.sprite;
    }
    EXPECT_EQ(BlendTablesPending, 0);
}

TEST_F(DrawTest, BlendLeavesEdgeRecordsOut) {
    Viewport view(0, 0, kW - 1, kH - 1, surface.data());
    SpriteGrid g;
    g.w = 2;
    g.h = 1;
    g.cells = {SpriteCell{SpriteCell::kRun, 0xFFFF, 0}, SpriteCell{SpriteCell::kEdge, 0x1234, 4}};
    g.Bind(kW);
    DrawRLSpriteBlend(surface.data(), 5, 5, &g.sprite, false);
    EXPECT_EQ(At(5, 5), 0x39E7);
    EXPECT_EQ(At(6, 5), 0);
    DrawRLSprite(surface.data(), 5, 6, &g.sprite, false);
    EXPECT_EQ(At(6, 6), 0x1234);
}

TEST_F(DrawTest, HoleCountsFollowRunLength) {
    Viewport view(0, 0, kW - 1, kH - 1, surface.data());
    const struct {
        int32_t length, holes;
    } cases[] = {{1, 1}, {7, 1}, {8, 2}, {11, 2}, {12, 3}, {63, 15}, {64, 16}, {200, 16}};
    for (const auto& c : cases) {
        SpriteGrid g = Row(c.length, 0x5555);
        SetRandomSeed(77);
        for (int32_t k = 0; k < c.holes; ++k) RandomBelow(static_cast<uint32_t>(c.length));
        const uint32_t expectedSeed = RandomSeed();
        SetRandomSeed(77);
        std::fill(surface.begin(), surface.end(), 0);
        DrawRLSprite(surface.data(), 0, 0, &g.sprite, true);
        EXPECT_EQ(RandomSeed(), expectedSeed) << "length " << c.length;
        int32_t background = 0;
        for (int32_t i = 0; i < c.length; ++i) background += At(i, 0) == 0;
        EXPECT_GE(background, 1);
        EXPECT_LE(background, c.holes);
    }
}

TEST_F(DrawTest, NothingWithoutSurfaceOrOutsideTheClip) {
    SpriteGrid g = Row(4, 0xFFFF);
    EXPECT_EQ(DrawRLSprite(surface.data(), 5, 5, &g.sprite, false), nullptr);  // no viewport
    Viewport view(Rect{100, 100, 200, 200}, nullptr);
    EXPECT_EQ(DrawRLSprite(surface.data(), 150, 150, &g.sprite, false), nullptr);
    EXPECT_EQ(DrawRLSpriteBlend(surface.data(), 150, 150, &g.sprite, true), nullptr);
    view.SetSurface(surface.data());
    EXPECT_EQ(DrawRLSprite(surface.data(), 96, 150, &g.sprite, false), nullptr);
    EXPECT_EQ(DrawRLSprite(surface.data(), 201, 150, &g.sprite, false), nullptr);
    EXPECT_EQ(DrawRLSprite(surface.data(), 150, 99, &g.sprite, false), nullptr);
    EXPECT_EQ(std::count(surface.begin(), surface.end(), 0), kW * kH);
    Rect* drawn = DrawRLSprite(surface.data(), 97, 150, &g.sprite, false);
    ASSERT_NE(drawn, nullptr);  // the whole rectangle, not cut by the clip
    EXPECT_EQ(drawn->left, 97);
    EXPECT_EQ(drawn->right, 100);
    EXPECT_EQ(std::count(surface.begin(), surface.end(), 0xFFFF), 1);
}

// A sprite whose third pixel lies outside its two-pixel bounds shows which
// plan ran: the whole one draws all three, the cut one keeps to bounds.
TEST_F(DrawTest, FillingTheClipTakesTheWholePlan) {
    Viewport view(Rect{10, 10, 11, 10}, surface.data());
    SpriteGrid g = Row(3, 0xAAAA);
    g.sprite.bounds = Rect{0, 0, 1, 0};
    ASSERT_NE(DrawRLSprite(surface.data(), 10, 10, &g.sprite, false), nullptr);
    EXPECT_EQ(At(12, 10), 0xAAAA);
    std::fill(surface.begin(), surface.end(), 0);
    ASSERT_NE(DrawRLSprite(surface.data(), 9, 10, &g.sprite, false), nullptr);
    EXPECT_EQ(At(9, 10), 0);
    EXPECT_EQ(At(10, 10), 0xAAAA);
    EXPECT_EQ(At(11, 10), 0);  // outside the bounds: the cut plan drops it
}

TEST_F(DrawTest, SpanEndsAtTheClipColumns) {
    Viewport view(Rect{100, 0, 109, 0}, surface.data());
    const struct {
        int32_t x, length, first, last;
    } cases[] = {
        {95, 20, 100, 109},  // starts left, ends right: only the clip's columns
        {109, 5, 109, 109},  // starts on the last column: one pixel
        {96, 5, 100, 100},   // ends on the first column: one pixel
    };
    for (const auto& c : cases) {
        std::fill(surface.begin(), surface.end(), 0);
        SpriteGrid g = Row(c.length, 0x7777);
        DrawRLSprite(surface.data(), c.x, 0, &g.sprite, false);
        for (int32_t x = 0; x < 200; ++x)
            ASSERT_EQ(At(x, 0), x >= c.first && x <= c.last ? 0x7777 : 0) << x;
    }
}

TEST_F(DrawTest, RunLeftOfColumnZeroOnTheTopRowShowsItsVisiblePart) {
    Viewport view(0, 0, kW - 1, kH - 1, surface.data());
    SpriteGrid g = Row(6, 0x1111);
    DrawRLSprite(surface.data(), -3, 0, &g.sprite, false);
    EXPECT_EQ(At(0, 0), 0x1111);
    EXPECT_EQ(At(2, 0), 0x1111);
    EXPECT_EQ(At(3, 0), 0);
    EXPECT_EQ(At(kW - 1, 0), 0);  // nothing wrapped to the row's end
}

enum class Layout { k565, k555, kGeneral };

void SelectLayout(Layout layout) {
    if (layout == Layout::k565) SelectPixelLayout565();
    if (layout == Layout::k555) SelectPixelLayout555();
    // 4-, 6- and 6-bit channels: every clamp table in use.
    if (layout == Layout::kGeneral) SelectPixelLayout(4, 12, 6, 6, 6, 0);
}

// Every mode and layout, at positions crossing each side of three clips by
// -2 .. +2 pixels, against the reference drawer on the whole surface.
TEST_F(DrawTest, EveryPathMatchesTheReferenceAtEveryClipEdge) {
    const Rect clips[] = {{0, 0, kW - 1, kH - 1}, {200, 150, 260, 190}, {-20, 470, 700, 600}};
    std::vector<std::pair<Rect, int32_t>> cases;  // clip, stretch of the grid's kinds
    for (int32_t stretch : {1, 45})
        for (const Rect& clip : clips) cases.push_back({clip, stretch});
    uint32_t state = 12345;
    std::vector<Pixel16> background(kW * kH), expected;
    for (Layout layout : {Layout::k565, Layout::k555, Layout::kGeneral}) {
        SelectLayout(layout);
        for (auto& p : background)
            p = ConvertFrom565(static_cast<Pixel16>((state = state * 69069 + 1) >> 16));
        const ReferenceDrawer reference = ReferenceDrawer::ForActiveLayout(kW, kH);
        // Short runs (many of one pixel), then long ones that take the
        // vector spans, cut at every clip side.
        for (const auto& [clip, stretch] : cases) {
            Viewport view(clip, surface.data());
            const Rect c = ClipToScreen(clip);
            SpriteGrid g = stretch == 1 ? RandomGrid(state, 9 + static_cast<int32_t>(state % 13), 7)
                                        : RandomGrid(state, 40 + static_cast<int32_t>(state % 50),
                                                     30, stretch);
            g.Bind(kW);
            const int32_t x0 = g.hotX + g.pad, y0 = g.hotY + g.pad;  // rect left/top -> hot spot
            const int32_t rw = g.w + 2 * g.pad, rh = g.h + 2 * g.pad;
            std::vector<std::pair<int32_t, int32_t>> places;
            for (int32_t d = -2; d <= 2; ++d) {
                const int32_t midX = (c.left + c.right) / 2, midY = (c.top + c.bottom) / 2;
                places.push_back({c.left + d + x0 - rw + 1, midY});  // across the left side
                places.push_back({c.left + d + x0, midY});
                places.push_back({c.right + d + x0 - rw + 1, midY});  // across the right side
                places.push_back({c.right + d + x0, midY});
                places.push_back({midX, c.top + d + y0 - rh + 1});
                places.push_back({midX, c.top + d + y0});
                places.push_back({midX, c.bottom + d + y0 - rh + 1});
                places.push_back({midX, c.bottom + d + y0});
                places.push_back({c.left + d + x0, c.top + d + y0});  // a corner
            }
            for (auto mode : kEveryMode) {
                for (auto [x, y] : places) {
                    surface = background;
                    expected = background;
                    SetRandomSeed(99);
                    reference.Draw(expected, g, x, y, clip, mode);
                    SetRandomSeed(99);
                    ClassicDraw(surface.data(), x, y, &g.sprite, mode);
                    ASSERT_TRUE(surface == expected)
                        << "layout " << static_cast<int>(layout) << " mode " << mode << " at " << x
                        << "," << y << " clip " << clip.left << "," << clip.top << " stretch "
                        << stretch;
                }
            }
        }
    }
}

// The cut plans trust nothing: runs and edge records anywhere, a sprite bound
// to another pitch, bounds that lie — nothing lands outside.
TEST_F(DrawTest, ClippedDrawsStayInsideWhateverTheSpriteHolds) {
    const Rect clip{300, 200, 340, 230};
    Viewport view(clip, surface.data());
    uint32_t state = 7;
    auto next = [&state] { return (state = state * 1664525u + 1013904223u) >> 4; };
    for (int round = 0; round < 300; ++round) {
        std::vector<uint32_t> runs;
        for (int r = 0; r < 8; ++r) {
            const int32_t n = 1 + static_cast<int32_t>(next() % 60);
            runs.push_back(static_cast<uint32_t>(static_cast<int32_t>(next() % 2000) - 1000));
            runs.push_back(static_cast<uint32_t>(n));
            for (int32_t i = 0; i < (n + 1) / 2; ++i) runs.push_back(0xFFFFFFFF);
        }
        std::vector<uint32_t> edges;
        for (int e = 0; e < 8; ++e) {
            edges.push_back(static_cast<uint32_t>(static_cast<int32_t>(next() % 4000) - 2000));
            edges.push_back(0xFFFF0000u | (next() % 6));
        }
        RLSprite s;
        s.runData = runs.data();
        s.runWordCount = static_cast<int32_t>(runs.size()) - static_cast<int32_t>(next() % 3);
        s.edgeData = edges.data();
        s.edgeWordCount = static_cast<int32_t>(edges.size());
        s.hotSpot = next() % 100;
        s.bounds = Rect{-static_cast<int32_t>(next() % 30), -static_cast<int32_t>(next() % 30),
                        static_cast<int32_t>(next() % 30), static_cast<int32_t>(next() % 30)};
        s.boundPitch = round % 3 == 0 ? 320 : kW;
        const int32_t x = clip.left - 30 + static_cast<int32_t>(next() % 100);
        const int32_t y = clip.top - 30 + static_cast<int32_t>(next() % 90);
        std::fill(surface.begin(), surface.end(), 0);
        DrawRLSprite(surface.data(), x, y, &s, round % 2 == 0);
        DrawRLSpriteBlend(surface.data(), x, y, &s, round % 2 == 0);
        bool crossesClip = x + s.bounds.left < clip.left || x + s.bounds.right > clip.right ||
                           y + s.bounds.top < clip.top || y + s.bounds.bottom > clip.bottom;
        if (!crossesClip && s.boundPitch == kW) continue;  // the whole plans trust bounds
        for (int32_t py = 0; py < kH; ++py) {
            for (int32_t px = 0; px < kW; ++px) {
                if (px < clip.left || px > clip.right || py < clip.top || py > clip.bottom) {
                    ASSERT_EQ(At(px, py), 0) << "round " << round << " at " << px << "," << py;
                }
            }
        }
    }
}

TEST_F(DrawTest, ScreenRectMeetsTheClip) {
    Viewport view(Rect{10, 10, 20, 20}, surface.data());
    SpriteGrid g = Row(3, 1);  // bounds 0..2 x 0..0
    Rect r;
    EXPECT_TRUE(SpriteScreenRect(8, 10, &g.sprite, r));
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.right, 10);
    EXPECT_FALSE(SpriteScreenRect(7, 10, &g.sprite, r));
    EXPECT_FALSE(SpriteScreenRect(21, 10, &g.sprite, r));
    EXPECT_FALSE(SpriteScreenRect(15, 21, &g.sprite, r));
    EXPECT_TRUE(SpriteScreenRect(15, 20, &g.sprite, r));
}

// One table of plans: each kind of sprite, inside the clip and crossing each
// of its sides and a corner by 1, 7 and all but one pixel, takes the plan the
// table names and draws what the reference draws, in every mode. The sprites
// without an index are laid out by hand: the index left out, records out of
// scan order, too small for one, bound to another pitch than the surface's.
TEST_F(DrawTest, EveryPlanMatchesTheReference) {
    using sprite_draw::DrawPlan;
    uint32_t state = 4711;
    SpriteGrid big = RandomGrid(state, 60, 30, 45);
    big.Bind(kW);
    RLSprite unindexed = big.sprite;
    unindexed.index.reset();
    // The same records backwards: the same pixels, as records lie apart.
    std::vector<uint32_t> backwards;
    for (size_t i = big.edgeWords.size(); i >= 2; i -= 2)
        backwards.insert(backwards.end(), big.edgeWords.begin() + (i - 2),
                         big.edgeWords.begin() + i);
    RLSprite outOfOrder = big.sprite;
    outOfOrder.edgeData = backwards.data();
    IndexRLSprite(outOfOrder);
    SpriteGrid small = RandomGrid(state, 5, 3);
    small.Bind(kW);
    SpriteGrid otherPitch = big;
    otherPitch.Bind(kW / 2);
    ASSERT_NE(big.sprite.index, nullptr);
    ASSERT_EQ(outOfOrder.index, nullptr);
    ASSERT_EQ(small.sprite.index, nullptr);

    enum Side { kInside, kTop, kBottom, kLeft, kRight, kCorner };
    constexpr DrawPlan W = DrawPlan::kWhole, U = DrawPlan::kWholeUnindexed, R = DrawPlan::kRows,
                       C = DrawPlan::kRowsAndColumns, X = DrawPlan::kCut;
    const struct {
        const char* name;
        const SpriteGrid& grid;
        const RLSprite& sprite;
        DrawPlan plans[6];  // by Side
    } cases[] = {
        {"indexed", big, big.sprite, {W, R, R, C, C, C}},
        {"index left out", big, unindexed, {U, X, X, X, X, X}},
        {"records out of order", big, outOfOrder, {U, X, X, X, X, X}},
        {"too small", small, small.sprite, {U, X, X, X, X, X}},
        {"another pitch", otherPitch, otherPitch.sprite, {X, X, X, X, X, X}},
    };
    const Rect clip{200, 150, 420, 330};
    Viewport view(clip, surface.data());
    const sprite_draw::DrawTarget target{surface.data(), kW, clip};
    const ReferenceDrawer reference = ReferenceDrawer::ForActiveLayout(kW, kH);
    std::vector<Pixel16> background(kW * kH), expected;
    for (auto& p : background) p = static_cast<Pixel16>((state = state * 69069 + 1) >> 16);
    for (const auto& c : cases) {
        const SpriteGrid& g = c.grid;
        const int32_t toLeft = g.hotX + g.pad, toTop = g.hotY + g.pad;  // hot spot - rect corner
        const int32_t rw = g.w + 2 * g.pad, rh = g.h + 2 * g.pad;
        const int32_t midX = (clip.left + clip.right - rw) / 2 + toLeft;
        const int32_t midY = (clip.top + clip.bottom - rh) / 2 + toTop;
        std::vector<std::pair<Side, std::pair<int32_t, int32_t>>> places = {
            {kInside, {midX, midY}}};
        for (int32_t depth : {1, 7, INT32_MAX}) {  // the last: all but one row or column
            const int32_t down = std::min(depth, rh - 1), across = std::min(depth, rw - 1);
            places.push_back({kTop, {midX, clip.top - down + toTop}});
            places.push_back({kBottom, {midX, clip.bottom + down - rh + 1 + toTop}});
            places.push_back({kLeft, {clip.left - across + toLeft, midY}});
            places.push_back({kRight, {clip.right + across - rw + 1 + toLeft, midY}});
            places.push_back({kCorner, {clip.left - across + toLeft, clip.top - down + toTop}});
        }
        for (const auto& [side, at] : places) {
            const auto [x, y] = at;
            sprite_draw::Placement placed;
            ASSERT_TRUE(sprite_draw::PlaceSprite(target, x, y, c.sprite, placed));
            ASSERT_EQ(placed.plan, c.plans[side]) << c.name << " side " << side;
            for (auto mode : kEveryMode) {
                surface = background;
                expected = background;
                SetRandomSeed(99);
                reference.Draw(expected, g, x, y, clip, mode);
                SetRandomSeed(99);
                ASSERT_NE(ClassicDraw(surface.data(), x, y, &c.sprite, mode), nullptr);
                ASSERT_TRUE(surface == expected)
                    << c.name << " side " << side << " mode " << mode << " at " << x << "," << y;
            }
        }
    }
}

// A sprite read with pitch 0 (as LoadRlsRay(path) gives them) holds x, y
// pairs, not offsets: drawn, it would write anywhere. Every draw call and the
// canvas draw leave it out wherever it is placed, in every mode; bound, the
// same sprite draws as the reference.
TEST_F(DrawTest, UnboundSpritesAreNeverDrawn) {
    uint32_t state = 3;
    SpriteGrid g = RandomGrid(state, 40, 20);
    g.LayOutUnbound();
    Stream record = ScratchStream();
    StoreRLSprite(&g.sprite, nullptr, record.get());
    std::rewind(record.get());
    RLSpritePtr loaded(LoadRLSprite(nullptr, 0, record.get()));
    ASSERT_EQ(loaded->boundPitch, 0);
    // The surface between guard rows.
    constexpr int32_t kGuardRows = 64;
    std::vector<Pixel16> memory(static_cast<size_t>(kW) * (kH + 2 * kGuardRows));
    for (auto& p : memory) p = static_cast<Pixel16>((state = state * 69069 + 1) >> 16);
    const std::vector<Pixel16> before = memory;
    Pixel16* const pixels = memory.data() + kGuardRows * kW;
    Viewport view(0, 0, kW - 1, kH - 1, pixels);
    vantrel::Canvas canvas{pixels, kW, kH, kW};
    for (int i = 0; i < 200; ++i) {
        const auto x = static_cast<int32_t>((state = state * 69069 + 1) >> 16) % (kW + 120) - 60;
        const auto y = static_cast<int32_t>((state = state * 69069 + 1) >> 16) % (kH + 80) - 40;
        for (auto mode : kEveryMode) {
            ASSERT_EQ(ClassicDraw(pixels, x, y, loaded.get(), mode), nullptr) << x << "," << y;
            ASSERT_FALSE(vantrel::Draw(canvas, x, y, loaded.get(), CanvasMode(mode)));
        }
    }
    ASSERT_TRUE(memory == before);
    EXPECT_EQ(canvas.holesSeed, 1u);
    BindRLSprite(loaded.get(), kW);
    g.Bind(kW);
    std::vector<Pixel16> expected(pixels, pixels + kW * kH);
    ReferenceDrawer::ForActiveLayout(kW, kH).Draw(expected, g, 300, 200, view.area,
                                                  ReferenceDrawer::kPlain);
    ASSERT_NE(DrawRLSprite(pixels, 300, 200, loaded.get(), false), nullptr);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), pixels));
}

}  // namespace

namespace {

// Long runs of random pixels drive the four-at-a-time blends through every
// carry pattern; each pixel must match the per-channel reference.
TEST_F(DrawTest, PackedBlendsMatchThePerChannelReference) {
    Viewport view(0, 0, kW - 1, kH - 1, surface.data());
    uint32_t state = 4242;
    for (Layout layout : {Layout::k565, Layout::k555, Layout::kGeneral}) {
        SelectLayout(layout);
        const ReferenceDrawer reference = ReferenceDrawer::ForActiveLayout(kW, kH);
        SpriteGrid g;
        g.w = 64;
        g.h = 40;
        g.cells.resize(64 * 40);
        for (auto& c : g.cells)
            c = SpriteCell{SpriteCell::kRun,
                           ConvertFrom565(static_cast<Pixel16>((state = state * 69069 + 1) >> 16)),
                           0};
        g.Bind(kW);
        for (bool additive : {false, true}) {
            for (auto& p : surface)
                p = ConvertFrom565(static_cast<Pixel16>((state = state * 69069 + 1) >> 16));
            std::vector<Pixel16> expected = surface;
            reference.Draw(expected, g, 3, 5, Rect{0, 0, kW - 1, kH - 1},
                           additive ? ReferenceDrawer::kAdditive : ReferenceDrawer::kTranslucent);
            DrawRLSpriteBlend(surface.data(), 3, 5, &g.sprite, additive);
            ASSERT_TRUE(surface == expected) << "layout " << static_cast<int>(layout);
        }
    }
}

}  // namespace

// Runs and edge records far apart, with long empty stretches between them:
// whichever row the clip's top or bottom cuts at, the clipped walk finds each
// visible pixel's row (and nothing else) as the reference does.
TEST_F(DrawTest, SparseRowsMeetTheClipAtEveryRow) {
    SelectPixelLayout565();
    SpriteGrid g;
    g.w = 7;
    g.h = 40;
    g.cells.resize(static_cast<size_t>(g.w) * g.h);
    const struct {
        int32_t x, y, n;
        SpriteCell::Kind kind;
    } pieces[] = {
        {1, 0, 3, SpriteCell::kRun},   {0, 1, 7, SpriteCell::kRun},   {6, 2, 1, SpriteCell::kEdge},
        {2, 15, 1, SpriteCell::kEdge}, {3, 16, 4, SpriteCell::kRun},  {0, 16, 1, SpriteCell::kEdge},
        {0, 38, 2, SpriteCell::kRun},  {5, 38, 1, SpriteCell::kEdge}, {4, 39, 3, SpriteCell::kRun}};
    for (const auto& p : pieces)
        for (int32_t i = 0; i < p.n; ++i)
            g.At(p.x + i, p.y) =
                SpriteCell{p.kind, static_cast<Pixel16>(0x1234 + 97 * p.y + i),
                           static_cast<uint16_t>(p.kind == SpriteCell::kEdge ? 2 : 0)};
    g.Bind(kW);
    const ReferenceDrawer reference = ReferenceDrawer::ForActiveLayout(kW, kH);
    std::vector<Pixel16> background(kW * kH, 0x8410), expected;
    for (int32_t cut = -1; cut <= g.h; ++cut) {
        for (bool fromAbove : {true, false}) {
            // The clip's top (or bottom) row meets sprite row cut; the sprite
            // also sticks out two columns to the left.
            const Rect clip =
                fromAbove ? Rect{100, 100 + cut, 300, 400} : Rect{100, 0, 300, 100 + cut};
            Viewport view(clip, surface.data());
            for (bool holes : {false, true}) {
                surface = background;
                expected = background;
                SetRandomSeed(5);
                reference.Draw(expected, g, 98 + g.hotX, 100 + g.hotY, clip,
                               holes ? ReferenceDrawer::kHoles : ReferenceDrawer::kPlain);
                SetRandomSeed(5);
                DrawRLSprite(surface.data(), 98 + g.hotX, 100 + g.hotY, &g.sprite, holes);
                ASSERT_TRUE(surface == expected) << "cut " << cut << " above " << fromAbove;
            }
        }
    }
}
