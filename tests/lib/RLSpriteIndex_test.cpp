// The drawing index: one shape where it is made, left out where it cannot
// serve or the sprite cannot be trusted, ignored once the sprite changed, and never
// changing a drawn pixel: every mode, with and without the index, at every
// clip edge, against the reference drawer.
#include <algorithm>
#include <vector>

#include <Vantrel/RLSpriteDraw.h>
#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Viewport.h>
#include "SpriteIndex.h"
#include "support/SpriteGrid.h"
#include "support/VantrelTest.h"

namespace {

constexpr int32_t kW = 640, kH = 480;

class SpriteIndexTest : public VantrelTest {
protected:
    void SetUp() override {
        VantrelTest::SetUp();
        ResetViewports();
        spritePitch = kW;
    }
    void TearDown() override {
        ResetViewports();
        ResetSpritePitch();
        VantrelTest::TearDown();
    }
};

// A grid of w x h cells where cell (x, y) is a run pixel when runAt says so,
// with an edge record wherever edgeAt says so.
template <class RunAt, class EdgeAt>
SpriteGrid Shape(int32_t w, int32_t h, RunAt runAt, EdgeAt edgeAt) {
    SpriteGrid g;
    g.w = w;
    g.h = h;
    g.hotX = w / 3;
    g.hotY = h / 2;
    g.pad = 1;
    g.cells.resize(static_cast<size_t>(w) * h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const auto colour = static_cast<Pixel16>(0x1000 + 37 * x + 1031 * y);
            if (runAt(x, y)) g.At(x, y) = SpriteCell{SpriteCell::kRun, colour, 0};
            if (edgeAt(x, y))
                g.At(x, y) =
                    SpriteCell{SpriteCell::kEdge, colour, static_cast<uint16_t>(1 + (x + y) % 4)};
        }
    g.Bind(kW);
    return g;
}

struct ShapeCase {
    const char* name;
    SpriteGrid grid;
    bool indexed;
};

std::vector<ShapeCase> Shapes() {
    std::vector<ShapeCase> shapes;
    uint32_t state = 2024;
    SpriteGrid dense = RandomGrid(state, 48, 30);
    dense.Bind(kW);
    shapes.push_back({"dense", std::move(dense), true});
    // One short run per row over many rows: the row entries would outweigh
    // the runs, so there is no index.
    shapes.push_back({"tall",
                      Shape(
                          6, 190, [](int32_t x, int32_t y) { return x == y % 5; },
                          [](int32_t x, int32_t y) { return x == 5 && y % 3 == 0; }),
                      false});
    // Long runs, two to a row, and edge records between them and at the row
    // ends, where the clip's sides meet them.
    shapes.push_back({"wide",
                      Shape(
                          200, 12, [](int32_t x, int32_t) { return x < 90 || x > 100; },
                          [](int32_t x, int32_t) { return x == 0 || x == 95 || x == 199; }),
                      true});
    // Wide feathered rims: many records a row.
    shapes.push_back({"feathered",
                      Shape(
                          80, 16, [](int32_t x, int32_t) { return x >= 10 && x < 70; },
                          [](int32_t x, int32_t) { return x < 5 || x >= 75; }),
                      true});
    return shapes;
}

// Where there is an index it has its one shape: a count per run, an entry for
// every row naming that row's first run and record, a cell per record; and it
// is no larger than the words it describes.
TEST_F(SpriteIndexTest, OneShapeWithinTheSpritesOwnBytes) {
    for (const ShapeCase& c : Shapes()) {
        SCOPED_TRACE(c.name);
        const SpriteGrid& g = c.grid;
        const RLSpriteIndex* index = sprite_index::UsableIndex(g.sprite, kW);
        ASSERT_EQ(index != nullptr, c.indexed);
        if (index == nullptr) continue;
        EXPECT_LE(index->Bytes(), 4 * g.runWords.size() + 4 * g.edgeWords.size());
        const int32_t height = g.h + 2 * g.pad;
        ASSERT_EQ(index->rows.size(), static_cast<size_t>(height));
        ASSERT_EQ(index->edgeCells.size(), g.edgeWords.size() / 2);
        // Each row's first run and record, counted over the grid in scan order.
        int32_t run = 0, record = 0;
        for (int32_t row = 0; row < height; ++row) {
            EXPECT_EQ(index->rows[static_cast<size_t>(row)].run, run) << "row " << row;
            EXPECT_EQ(index->rows[static_cast<size_t>(row)].edge, record) << "row " << row;
            const int32_t y = row - g.pad;
            if (y < 0 || y >= g.h) continue;
            for (int32_t x = 0; x < g.w; ++x) {
                const SpriteCell::Kind kind = g.At(x, y).kind;
                run += kind == SpriteCell::kRun && (x == 0 || g.At(x - 1, y).kind != kind);
                if (kind != SpriteCell::kEdge) continue;
                EXPECT_EQ(index->edgeCells[static_cast<size_t>(record)],
                          static_cast<uint32_t>(row) << 16 | static_cast<uint32_t>(x + g.pad));
                ++record;
            }
        }
        EXPECT_EQ(static_cast<size_t>(run), index->counts.size());
    }
}

// Every mode at positions crossing each side of two clips, drawn with the
// index and with a copy of the sprite that has none.
TEST_F(SpriteIndexTest, DrawsExactlyAsTheReferenceWithAndWithoutTheIndex) {
    std::vector<Pixel16> surface(kW * kH), background(kW * kH), expected;
    uint32_t state = 99;
    for (auto& p : background) p = static_cast<Pixel16>((state = state * 69069 + 1) >> 16);
    const ReferenceDrawer reference = ReferenceDrawer::ForActiveLayout(kW, kH);
    const Rect clips[] = {{0, 0, kW - 1, kH - 1}, {40, 30, 250, 150}};
    for (const ShapeCase& c : Shapes()) {
        const SpriteGrid& g = c.grid;
        RLSprite plain = g.sprite;
        plain.index.reset();
        for (const Rect& clip : clips) {
            Viewport view(clip, surface.data());
            const Rect cut = ClipToScreen(clip);
            const int32_t x0 = g.hotX + g.pad, y0 = g.hotY + g.pad;
            const int32_t rw = g.w + 2 * g.pad, rh = g.h + 2 * g.pad;
            const int32_t midX = (cut.left + cut.right) / 2, midY = (cut.top + cut.bottom) / 2;
            std::vector<std::pair<int32_t, int32_t>> places = {{midX - rw / 2 + x0, midY}};
            for (int32_t d : {-37, -1, 0, 1, 5}) {
                places.push_back({cut.left + d + x0 - rw + 1, midY});
                places.push_back({cut.right + d + x0, midY});
                places.push_back({midX, cut.top + d + y0 - rh + 1});
                places.push_back({midX, cut.bottom + d + y0});
                places.push_back({cut.left + d + x0, cut.bottom + d + y0});
            }
            for (auto mode : kEveryMode) {
                for (auto [x, y] : places) {
                    for (const RLSprite* sprite :
                         {&g.sprite, static_cast<const RLSprite*>(&plain)}) {
                        surface = background;
                        expected = background;
                        SetRandomSeed(7);
                        reference.Draw(expected, g, x, y, clip, mode);
                        SetRandomSeed(7);
                        ClassicDraw(surface.data(), x, y, sprite, mode);
                        ASSERT_TRUE(surface == expected)
                            << c.name << " mode " << mode << " at " << x << "," << y
                            << (sprite == &plain ? " without" : " with") << " the index";
                    }
                }
            }
        }
    }
}

TEST_F(SpriteIndexTest, LeftOutOrIgnoredWhereItCouldMislead) {
    std::vector<ShapeCase> shapes = Shapes();
    SpriteGrid& g = shapes[0].grid;
    // Bounds cut after the index was made: the index no longer describes the
    // sprite and is ignored; made again, it is left out, as runs leave them.
    RLSprite cut = g.sprite;
    cut.bounds.right -= g.pad + 3;
    EXPECT_EQ(sprite_index::UsableIndex(cut, kW), nullptr);
    IndexRLSprite(cut);
    EXPECT_EQ(cut.index, nullptr);
    // Another pitch, another buffer or count: ignored.
    EXPECT_EQ(sprite_index::UsableIndex(g.sprite, kW + 1), nullptr);
    RLSprite shorter = g.sprite;
    shorter.runWordCount -= 1;
    EXPECT_EQ(sprite_index::UsableIndex(shorter, kW), nullptr);
    // Without a pitch, or too small to profit: none.
    RLSprite unbound = g.sprite;
    unbound.boundPitch = 0;
    IndexRLSprite(unbound);
    EXPECT_EQ(unbound.index, nullptr);
    SpriteGrid tiny = Shape(
        3, 2, [](int32_t, int32_t) { return true; }, [](int32_t, int32_t) { return false; });
    EXPECT_EQ(tiny.sprite.index, nullptr);
    // Runs out of scan order: none.
    RLSprite swapped = g.sprite;
    std::vector<uint32_t> words(g.runWords);
    words[0] += kW * 40;  // the first run moves below the rest
    swapped.runData = words.data();
    IndexRLSprite(swapped);
    EXPECT_EQ(swapped.index, nullptr);
    // The origin 2^31 pixels before the rectangle's corner, the first run's
    // offset moved with it: the runs stay in place, but offsets counted from
    // the corner no longer fit 32 bits, so there is no index.
    RLSprite far = g.sprite;
    std::vector<uint32_t> farWords(g.runWords);
    const int64_t corner =
        int64_t{static_cast<int32_t>(far.hotSpot)} + int64_t{far.bounds.top} * kW + far.bounds.left;
    const int64_t move = int64_t{INT32_MIN} - corner;
    far.hotSpot = static_cast<uint32_t>(static_cast<int32_t>(far.hotSpot) + move);
    farWords[0] = static_cast<uint32_t>(static_cast<int32_t>(farWords[0]) + move);
    far.runData = farWords.data();
    far.edgeWordCount = 0;
    IndexRLSprite(far);
    EXPECT_EQ(far.index, nullptr);
    // Edge records out of scan order: another buffer, so the index is ignored;
    // made again, there is none.
    const SpriteGrid& wide = shapes[2].grid;
    ASSERT_NE(sprite_index::UsableIndex(wide.sprite, kW), nullptr);
    RLSprite reversed = wide.sprite;
    std::vector<uint32_t> edges(wide.edgeWords);
    ASSERT_GE(edges.size(), 4u);
    std::swap_ranges(edges.begin(), edges.begin() + 2, edges.end() - 2);
    reversed.edgeData = edges.data();
    EXPECT_EQ(sprite_index::UsableIndex(reversed, kW), nullptr);
    IndexRLSprite(reversed);
    EXPECT_EQ(reversed.index, nullptr);
}

}  // namespace
