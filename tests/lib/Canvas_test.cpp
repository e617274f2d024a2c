// The canvas draw: on canvases of odd widths and pitches it draws what the
// reference drawer draws and, where the pitch is the screen's, what the
// classic calls draw, in every mode and at every edge; it writes nothing
// outside width x height (guard rows around the buffer, guard pixels in each
// row's padding); its holes advance only the canvas's generator; bad canvases
// and sprites draw nothing. And a sprite's size and hot spot.
#include <optional>
#include <vector>

#include <Vantrel/Canvas.h>
#include <Vantrel/RLSpriteDraw.h>
#include <Vantrel/Viewport.h>
#include "support/SpriteGrid.h"
#include "support/VantrelTest.h"

namespace {

constexpr int32_t kW = 640, kH = 480;
constexpr int32_t kGuardRows = 3;

class CanvasTest : public VantrelTest {
protected:
    void SetUp() override {
        VantrelTest::SetUp();
        ResetViewports();
    }
    void TearDown() override {
        ResetViewports();
        VantrelTest::TearDown();
    }
};

// A canvas's pixels between guard rows, every pixel (padding included) set
// from a pattern.
struct CanvasMemory {
    int32_t width, height, pitch;
    std::vector<Pixel16> memory;
    CanvasMemory(int32_t w, int32_t h, int32_t p, uint32_t& state)
        : width(w), height(h), pitch(p), memory(static_cast<size_t>(p) * (h + 2 * kGuardRows)) {
        for (auto& px : memory) px = static_cast<Pixel16>((state = state * 69069 + 1) >> 16);
    }
    Pixel16* Pixels() { return memory.data() + static_cast<ptrdiff_t>(kGuardRows) * pitch; }
    vantrel::Canvas Canvas() { return vantrel::Canvas{Pixels(), width, height, pitch}; }
};

std::optional<Rect> Cut(const Rect& r, int32_t width, int32_t height) {
    const Rect c{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width - 1),
                 std::min(r.bottom, height - 1)};
    if (c.right < c.left || c.bottom < c.top) return std::nullopt;
    return c;
}

TEST_F(CanvasTest, MatchesTheReferenceAndTheClassicDrawAtEveryEdge) {
    const struct {
        int32_t width, height, pitch, gridW, gridH, stretch;
    } shapes[] = {
        {333, 201, kW, 70, 30, 45},  // the screen's pitch: the classic draw too
        {257, 131, 263, 60, 25, 45},
        {101, 77, 101, 40, 20, 1},
        {37, 23, 41, 13, 7, 1},
    };
    uint32_t state = 77;
    for (bool general : {false, true}) {
        if (general) SelectPixelLayout(4, 12, 6, 6, 6, 0);
        for (const auto& shape : shapes) {
            SpriteGrid g = RandomGrid(state, shape.gridW, shape.gridH, shape.stretch);
            g.Bind(shape.pitch);
            RLSprite unindexed = g.sprite;
            unindexed.index.reset();
            const CanvasMemory pristine(shape.width, shape.height, shape.pitch, state);
            const ReferenceDrawer reference =
                ReferenceDrawer::ForActiveLayout(shape.pitch, shape.height);
            const Rect whole{0, 0, shape.width - 1, shape.height - 1};
            const int32_t toLeft = g.hotX + g.pad, toTop = g.hotY + g.pad;
            const int32_t rw = g.w + 2 * g.pad, rh = g.h + 2 * g.pad;
            const int32_t midX = shape.width / 2, midY = shape.height / 2;
            std::vector<std::pair<int32_t, int32_t>> places = {
                {midX, midY}, {-rw, midY}, {midX, shape.height + rh}};
            for (int32_t d = -2; d <= 2; ++d) {
                places.push_back({d + toLeft - rw + 1, midY});  // across the left edge
                places.push_back({d + toLeft, midY});
                places.push_back({shape.width - 1 + d + toLeft - rw + 1, midY});  // the right
                places.push_back({shape.width - 1 + d + toLeft, midY});
                places.push_back({midX, d + toTop - rh + 1});                  // the top
                places.push_back({midX, shape.height - 1 + d + toTop});        // the bottom
                places.push_back({d + toLeft, shape.height - 1 + d + toTop});  // a corner
            }
            std::vector<Pixel16> classic(kW * kH);
            const RLSprite* const sprites[] = {&g.sprite, &unindexed};
            for (const RLSprite* sprite : sprites) {
                for (auto mode : kEveryMode) {
                    for (auto [x, y] : places) {
                        SCOPED_TRACE(testing::Message()
                                     << "canvas " << shape.width << "x" << shape.height << " pitch "
                                     << shape.pitch << " mode " << mode << " at " << x << "," << y
                                     << (sprite == &unindexed ? " unindexed" : "")
                                     << (general ? " general layout" : ""));
                        CanvasMemory expected = pristine, drawn = pristine;
                        SetRandomSeed(40 + x);
                        reference.Draw(expected.Pixels(), g, x, y, whole, mode);
                        const uint32_t seedAfter = RandomSeed();
                        SetRandomSeed(12345);
                        vantrel::Canvas canvas = drawn.Canvas();
                        canvas.holesSeed = 40 + static_cast<uint32_t>(x);
                        const std::optional<Rect> result =
                            vantrel::Draw(canvas, x, y, sprite, CanvasMode(mode));
                        ASSERT_TRUE(drawn.memory == expected.memory);
                        EXPECT_EQ(canvas.holesSeed, seedAfter);  // the reference's holes
                        EXPECT_EQ(RandomSeed(), 12345u);         // the game's untouched
                        const Rect rect{x - toLeft, y - toTop, x - toLeft + rw - 1,
                                        y - toTop + rh - 1};
                        const std::optional<Rect> cut = Cut(rect, shape.width, shape.height);
                        ASSERT_EQ(result.has_value(), cut.has_value());
                        if (cut) {
                            EXPECT_EQ(result->left, cut->left);
                            EXPECT_EQ(result->top, cut->top);
                            EXPECT_EQ(result->right, cut->right);
                            EXPECT_EQ(result->bottom, cut->bottom);
                        }
                        if (shape.pitch != kW) continue;
                        // The classic draw through a viewport of the canvas's
                        // rectangle, on a surface whose rows start as the canvas's.
                        std::copy(pristine.memory.begin() + kGuardRows * kW,
                                  pristine.memory.end() - kGuardRows * kW, classic.begin());
                        Viewport view(whole, classic.data());
                        SetRandomSeed(40 + x);
                        ClassicDraw(classic.data(), x, y, sprite, mode);
                        ASSERT_TRUE(std::equal(classic.begin(), classic.begin() + shape.height * kW,
                                               drawn.Pixels()));
                    }
                }
            }
        }
    }
}

TEST_F(CanvasTest, BadCanvasesAndSpritesDrawNothing) {
    uint32_t state = 5;
    SpriteGrid g = RandomGrid(state, 12, 8);
    g.Bind(50);
    RLSprite unbound = g.sprite;
    unbound.boundPitch = 0;
    SpriteGrid other = g;
    other.Bind(51);
    const CanvasMemory pristine(50, 40, 50, state);
    CanvasMemory memory = pristine;
    const struct {
        vantrel::Canvas canvas;
        const RLSprite* sprite;
    } cases[] = {
        {{nullptr, 50, 40, 50}, &g.sprite},         {{memory.Pixels(), 0, 40, 50}, &g.sprite},
        {{memory.Pixels(), 50, 0, 50}, &g.sprite},  {{memory.Pixels(), -3, 40, 50}, &g.sprite},
        {{memory.Pixels(), 50, 40, 49}, &g.sprite}, {{memory.Pixels(), 50, 40, 50}, nullptr},
        {{memory.Pixels(), 50, 40, 50}, &unbound},  {{memory.Pixels(), 50, 40, 50}, &other.sprite},
    };
    for (const auto& c : cases) {
        for (auto mode : kEveryMode) {
            vantrel::Canvas canvas = c.canvas;
            EXPECT_FALSE(vantrel::Draw(canvas, 20, 20, c.sprite, CanvasMode(mode)));
            EXPECT_EQ(canvas.holesSeed, 1u);
        }
    }
    EXPECT_TRUE(memory.memory == pristine.memory);
    vantrel::Canvas good = memory.Canvas();
    EXPECT_TRUE(vantrel::Draw(good, 20, 20, &g.sprite, vantrel::DrawMode::Opaque));
}

TEST_F(CanvasTest, SpriteSizeAndHotSpotBoundOrNot) {
    SpriteGrid g;
    g.w = 7;
    g.h = 4;
    g.hotX = 2;
    g.hotY = 1;
    g.pad = 1;
    g.cells.assign(28, SpriteCell{SpriteCell::kRun, 0x1234, 0});
    for (bool bound : {false, true}) {
        if (bound)
            g.Bind(kW);
        else
            g.LayOutUnbound();
        EXPECT_EQ(vantrel::SpriteWidth(g.sprite), 9);
        EXPECT_EQ(vantrel::SpriteHeight(g.sprite), 6);
        EXPECT_EQ(vantrel::SpriteHotSpot(g.sprite).x, 3);
        EXPECT_EQ(vantrel::SpriteHotSpot(g.sprite).y, 2);
    }
    // As the tools anchor a frame: the hot spot the record keeps.
    RLSprite anchored;
    AnchorRLSprite(anchored, Rect{10, 20, 29, 35}, 15, 25);
    EXPECT_EQ(vantrel::SpriteWidth(anchored), 20);
    EXPECT_EQ(vantrel::SpriteHeight(anchored), 16);
    EXPECT_EQ(vantrel::SpriteHotSpot(anchored).x, UnpackX(anchored.hotSpot));
    EXPECT_EQ(vantrel::SpriteHotSpot(anchored).y, UnpackY(anchored.hotSpot));
    anchored.bounds = Rect{0, 0, -1, -1};
    EXPECT_EQ(vantrel::SpriteWidth(anchored), 0);
    EXPECT_EQ(vantrel::SpriteHeight(anchored), 0);
}

}  // namespace
