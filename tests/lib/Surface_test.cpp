// Rectangles, the dirty list, fills and copies, viewports and the wrap-around
// background copy. The test surface is 640 x 480 (tests/support).
#include <algorithm>
#include <vector>

#include <Vantrel/DirtyRects.h>
#include <Vantrel/Rect.h>
#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Surface16.h>
#include <Vantrel/Viewport.h>
#include "support/VantrelTest.h"

namespace {

class SurfaceTest : public VantrelTest {
protected:
    void SetUp() override {
        VantrelTest::SetUp();
        ResetDirtyRects();
        ResetViewports();
    }
    void TearDown() override {
        ResetViewports();
        ResetDirtyRects();
        VantrelTest::TearDown();
    }
    std::vector<Pixel16> surface = std::vector<Pixel16>(640 * 480, 0);
    Pixel16& At(int x, int y) { return surface[static_cast<size_t>(y) * 640 + x]; }
};

TEST_F(SurfaceTest, GeometryComesFromTheProgram) {
    EXPECT_EQ(ScreenWidth(), 640);
    EXPECT_EQ(ScreenHeight(), 480);
    EXPECT_EQ(ScreenPitchBytes(), 1280);
    EXPECT_EQ(ScreenSizeBytes(), 1280 * 480);
}

struct OverlapCase {
    Rect a, b;
    int overlap, containment;
};

TEST_F(SurfaceTest, OverlapAndContainment) {
    const OverlapCase cases[] = {
        {{0, 0, 9, 9}, {9, 9, 20, 20}, 1, 0},  // share the corner pixel
        {{0, 0, 9, 9}, {10, 0, 20, 9}, 0, 0},  // touching edges only
        {{0, 0, 9, 9}, {0, 10, 9, 20}, 0, 0},
        {{5, 5, 6, 6}, {5, 5, 6, 6}, 1, -1},  // equal: a inside b
        {{2, 2, 3, 3}, {0, 0, 9, 9}, 1, -1},
        {{0, 0, 9, 9}, {2, 2, 3, 3}, 1, 1},
        {{0, 0, 9, 9}, {100, 100, 101, 101}, 0, 0},
        {{0, 0, 9, 9}, {5, -5, 15, 5}, 1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RectsOverlap(c.a, c.b), c.overlap);
        EXPECT_EQ(RectsOverlap(c.b, c.a), c.overlap);
        EXPECT_EQ(RectContainment(c.a, c.b), c.containment);
    }
}

TEST_F(SurfaceTest, PointOnEveryEdgeIsInside) {
    const Rect r{10, 20, 30, 40};
    const struct {
        int16_t x, y;
        int inside;
    } cases[] = {{10, 20, 1}, {30, 40, 1}, {30, 20, 1}, {10, 40, 1},  {9, 20, 0},
                 {31, 20, 0}, {10, 19, 0}, {10, 41, 0}, {-10, -20, 0}};
    for (const auto& c : cases) EXPECT_EQ(PointInRect(r, Point16{c.x, c.y}), c.inside);
}

TEST_F(SurfaceTest, UnionCoversBoth) {
    Rect r{10, 10, 20, 20};
    RectUnion(r, Rect{-5, 15, 12, 30});
    EXPECT_EQ(r.left, -5);
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.right, 20);
    EXPECT_EQ(r.bottom, 30);
}

TEST_F(SurfaceTest, DirtyListDropsContainedAndKeepsOverlapping) {
    AddDirtyRect(nullptr);
    EXPECT_EQ(DirtyRectCount, 0);
    const Rect a{0, 0, 10, 10}, b{20, 0, 30, 10}, c{5, 5, 25, 15};
    AddDirtyRect(&a);
    AddDirtyRect(&b);
    AddDirtyRect(&c);  // overlaps both, contains neither
    EXPECT_EQ(DirtyRectCount, 3);
    const Rect inside{1, 1, 2, 2};
    AddDirtyRect(&inside);
    EXPECT_EQ(DirtyRectCount, 3);
    const Rect cover{0, 0, 30, 10};  // covers a and b, not c
    AddDirtyRect(&cover);
    ASSERT_EQ(DirtyRectCount, 2);
    EXPECT_EQ(DirtyRects[0].left, 5);
    EXPECT_EQ(DirtyRects[1].right, 30);
    AddDirtyRect(&DirtyRects[0]);  // an entry added again changes nothing
    EXPECT_EQ(DirtyRectCount, 2);
}

TEST_F(SurfaceTest, DirtyListCollapsesAfterSixtyFour) {
    for (int i = 0; i < 64; ++i) {
        const Rect r{i * 3, 0, i * 3 + 1, 1};
        AddDirtyRect(&r);
    }
    EXPECT_EQ(DirtyRectCount, 64);
    const Rect tiny{0, 100, 0, 100};
    AddDirtyRect(&tiny);
    ASSERT_EQ(DirtyRectCount, 1);
    EXPECT_EQ(DirtyRects[0].left, 0);
    EXPECT_EQ(DirtyRects[0].top, 0);
    EXPECT_EQ(DirtyRects[0].right, 639);
    EXPECT_EQ(DirtyRects[0].bottom, 479);
    ResetDirtyRects();
    EXPECT_EQ(DirtyRectCount, 0);
}

TEST_F(SurfaceTest, FillRunWritesExactlyN) {
    for (int n : {0, 1, 2, 3, 4, 7}) {
        std::vector<Pixel16> row(12, 0x1111);
        FillRun16(row.data() + 1, 0xABCD, n);  // odd start: unaligned 32-bit units
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(row[i], i >= 1 && i <= n ? 0xABCD : 0x1111) << "n " << n << " at " << i;
    }
}

TEST_F(SurfaceTest, FillRectStopsAtTheSurface) {
    FillRect16(surface.data(), 630, 470, 700, 900, 0x1234);
    EXPECT_EQ(At(630, 470), 0x1234);
    EXPECT_EQ(At(639, 479), 0x1234);
    EXPECT_EQ(At(629, 479), 0);
    EXPECT_EQ(At(639, 469), 0);
    FillRect16(surface.data(), Rect{-5, -5, 2, 0}, 0x4321);
    EXPECT_EQ(At(0, 0), 0x4321);
    EXPECT_EQ(At(2, 0), 0x4321);
    EXPECT_EQ(At(3, 0), 0);
    EXPECT_EQ(At(0, 1), 0);
}

TEST_F(SurfaceTest, CopyRectCopiesOnlyTheRectangle) {
    std::vector<Pixel16> source(640 * 480);
    for (size_t i = 0; i < source.size(); ++i) source[i] = static_cast<Pixel16>(i * 7 + 1);
    for (const Rect& r : {Rect{3, 4, 9, 6}, Rect{4, 4, 4, 4}, Rect{0, 0, 639, 0}}) {
        std::fill(surface.begin(), surface.end(), 0);
        CopyRect16(surface.data(), source.data(), r);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 640; ++x) {
                bool in = x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
                ASSERT_EQ(At(x, y), in ? source[y * 640 + x] : 0) << x << "," << y;
            }
    }
    std::fill(surface.begin(), surface.end(), 0);
    CopyRect16(surface.data(), source.data(), 5, 5, 4, 5);  // empty: nothing
    EXPECT_EQ(std::count(surface.begin(), surface.end(), 0), 640 * 480);
}

// Rectangles crossing every side and corner of the surface, wholly outside it
// and reaching the ends of the 32-bit range: fills, copies and the
// background copy change exactly the rectangle cut to the surface, and
// nothing in the guard rows around it.
TEST_F(SurfaceTest, RectangleOperationsTouchNothingOutsideTheSurface) {
    constexpr int kGuardRows = 4;
    const struct {
        int32_t from, to;
    } columns[] = {{-20, 30}, {600, 660}, {-5, 700},  {10, 20},
                   {-40, -1}, {640, 700}, {639, 639}, {INT32_MIN, INT32_MAX}},
      rows[] = {{-20, 30}, {450, 500}, {-5, 600},  {10, 20},
                {-40, -1}, {480, 999}, {479, 479}, {INT32_MIN, INT32_MAX}};
    std::vector<Pixel16> background(512 * 512);
    for (size_t i = 0; i < background.size(); ++i) background[i] = static_cast<Pixel16>(i * 5 + 3);
    // Both surfaces between guard rows; the source holds its own pattern.
    auto guarded = [](Pixel16 seed) {
        std::vector<Pixel16> memory(640 * (480 + 2 * kGuardRows));
        for (size_t i = 0; i < memory.size(); ++i) memory[i] = static_cast<Pixel16>(i * seed + 1);
        return memory;
    };
    const std::vector<Pixel16> sourceMemory = guarded(7), pristine = guarded(3);
    const Pixel16* source = sourceMemory.data() + kGuardRows * 640;
    for (const auto& c : columns) {
        for (const auto& r : rows) {
            const Rect rect{c.from, r.from, c.to, r.to};
            const Rect cut = ClipToScreen(rect);
            for (int op = 0; op < 3; ++op) {
                std::vector<Pixel16> memory = pristine, expected = pristine;
                Pixel16* out = memory.data() + kGuardRows * 640;
                Viewport view(rect, out);
                if (op == 0) FillRect16(out, rect, 0xBEEF);
                if (op == 1) CopyRect16(out, source, rect);
                if (op == 2) ScrollCopy512(out, background.data(), 100, 500);
                for (int y = cut.top; y <= cut.bottom; ++y)
                    for (int x = cut.left; x <= cut.right; ++x) {
                        const ptrdiff_t i = static_cast<ptrdiff_t>(y) * 640 + x;
                        expected[kGuardRows * 640 + i] =
                            op == 0   ? Pixel16{0xBEEF}
                            : op == 1 ? source[i]
                                      : background[((500 + y - cut.top) % 512) * 512 +
                                                   (100 + x - cut.left) % 512];
                    }
                const auto differ = std::mismatch(memory.begin(), memory.end(), expected.begin());
                ASSERT_TRUE(differ.first == memory.end())
                    << "op " << op << " rect " << rect.left << "," << rect.top << "," << rect.right
                    << "," << rect.bottom << " at pixel "
                    << (differ.first - memory.begin()) - kGuardRows * 640;
            }
        }
    }
}

TEST_F(SurfaceTest, ViewportsTrackCurrentAndMain) {
    EXPECT_EQ(CurrentViewport, nullptr);
    auto* main = new Viewport(0, 0, 639, 479, surface.data());
    EXPECT_EQ(MainViewport, main);
    EXPECT_EQ(CurrentViewport, main);
    EXPECT_EQ(main->firstRow, surface.data());
    EXPECT_EQ(main->endRow, surface.data() + 640 * 480);
    {
        Viewport inner(Rect{10, 20, 30, 40}, surface.data());
        EXPECT_EQ(CurrentViewport, &inner);
        EXPECT_EQ(MainViewport, main);
        EXPECT_EQ(inner.firstRow, surface.data() + 20 * 640);
        EXPECT_EQ(inner.endRow, surface.data() + 41 * 640);
        inner.SetSurface(nullptr);
        EXPECT_EQ(inner.firstRow, nullptr);
    }
    EXPECT_EQ(CurrentViewport, main);
    Viewport other(Rect{0, 0, 5, 5}, surface.data());
    delete main;  // the main one goes; the current one stays
    EXPECT_EQ(MainViewport, nullptr);
    EXPECT_EQ(CurrentViewport, &other);
}

TEST_F(SurfaceTest, ScrollCopyWrapsAcrossThreeSpans) {
    std::vector<Pixel16> background(512 * 512);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) background[y * 512 + x] = static_cast<Pixel16>(x + 1 + y * 3);
    Viewport view(0, 470, 639, 479, surface.data());
    ScrollCopy512(surface.data(), background.data(), 500, 510);
    for (int y = 470; y < 480; ++y) {
        const int by = (510 + y - 470) % 512;
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(At(x, y), background[by * 512 + (500 + x) % 512]) << x << "," << y;
    }
    EXPECT_EQ(At(11, 470), background[510 * 512 + 511]);  // 12 from column 500
    EXPECT_EQ(At(12, 470), background[510 * 512 + 0]);    // then 512 from column 0
    EXPECT_EQ(At(524, 470), background[510 * 512 + 0]);   // then 116 from column 0
    EXPECT_EQ(At(0, 469), 0);
}

TEST_F(SurfaceTest, ScrollCopyNarrowAreaStaysInside) {
    std::vector<Pixel16> background(512 * 512);
    for (size_t i = 0; i < background.size(); ++i) background[i] = static_cast<Pixel16>(i | 1);
    for (int x : {0, 100, 511}) {
        std::fill(surface.begin(), surface.end(), 0);
        Viewport view(Rect{100, 10, 119, 12}, surface.data());
        ScrollCopy512(surface.data(), background.data(), x, 0);
        for (int y = 9; y <= 13; ++y)
            for (int c = 0; c < 640; ++c) {
                bool in = c >= 100 && c <= 119 && y >= 10 && y <= 12;
                Pixel16 expected = in ? background[(y - 10) * 512 + (x + c - 100) % 512] : 0;
                ASSERT_EQ(At(c, y), expected) << "x " << x << " at " << c << "," << y;
            }
    }
}

}  // namespace
