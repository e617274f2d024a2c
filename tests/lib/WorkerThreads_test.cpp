// Loading and encoding on worker threads while the main thread draws: eight
// workers load rays and families (binding them), load single records and
// encode sprites from their own sources, all through the tracked allocator,
// while the main thread draws plain, translucent and additive sprites (the
// first blended draw builds the clamp tables). Every result must equal what
// one thread makes alone. Then eight threads draw at once, each on a canvas
// of its own, in every mode, and must give what one thread gives. Built with
// the tsan preset, this is the data race check of the library's threading
// rules.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <Vantrel/Canvas.h>
#include <Vantrel/RLSpriteDraw.h>
#include <Vantrel/RLSpriteEncode.h>
#include <Vantrel/Rls.h>
#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Viewport.h>
#include "support/SpriteGrid.h"
#include "support/SpriteKit.h"
#include "support/TgaFile.h"
#include "support/VantrelTest.h"

namespace {

constexpr int32_t kW = 640, kH = 480;
constexpr int kWorkers = 8;
constexpr int kRounds = 3;

// A patterned picture: transparent, run and edge pixels by position, shaped
// by `seed` so that each worker encodes something of its own.
struct Pattern {
    int32_t seed;
    static void Classify(const void* context, int32_t y, int32_t left, int32_t right,
                         Pixel16* values, uint8_t* kinds) {
        const int32_t seed = static_cast<const Pattern*>(context)->seed;
        for (int32_t x = left; x <= right; ++x) {
            const int32_t i = x - left;
            const int32_t roll = (x * 7 + y * 3 + seed) % 9;
            values[i] = static_cast<Pixel16>(0x0841 * (1 + (x + y + seed) % 30));
            kinds[i] = roll < 2    ? kTransparentPixel
                       : roll == 8 ? EdgePixelKind((x + seed) % 32)
                                   : kRunPixel;
        }
    }
};

// The unbound sprite encoded from a pattern; the caller frees it.
RLSprite* EncodePattern(int32_t seed) {
    const Pattern pattern{seed};
    const RLSpriteSource source{&pattern, &Pattern::Classify};
    const Rect rect{0, 0, 40 + seed % 7, 30 + seed % 5};
    auto* sprite = new RLSprite;
    AnchorRLSprite(*sprite, rect, 10, 12);
    EncodeRLSprite(source, rect, *sprite);
    return sprite;
}

std::vector<uint32_t> Words(const uint32_t* data, int32_t count) {
    return data == nullptr ? std::vector<uint32_t>{} : std::vector<uint32_t>(data, data + count);
}

// What a sprite holds, for comparing the work of two threads.
struct Contents {
    std::vector<uint32_t> runs, edges;
    uint32_t hotSpot = 0;
    int32_t boundPitch = 0;
    bool indexed = false;
    bool operator==(const Contents&) const = default;
};

Contents ContentsOfSprite(const RLSprite* s) {
    return Contents{Words(s->runData, s->runWordCount), Words(s->edgeData, s->edgeWordCount),
                    s->hotSpot, s->boundPitch, s->index != nullptr};
}

std::vector<Contents> ContentsOfRay(const RlsRay* ray) {
    std::vector<Contents> all;
    for (int32_t i = 0; i < ray->count; ++i) all.push_back(ContentsOfSprite(ray->Get(i)));
    return all;
}

class WorkerThreadsTest : public VantrelTest {
protected:
    void SetUp() override {
        VantrelTest::SetUp();
        ResetViewports();
        ResetSpritePitch();
    }
    void TearDown() override {
        ResetViewports();
        ResetSpritePitch();
        VantrelTest::TearDown();
    }
    ScratchFolder folder_;
};

TEST_F(WorkerThreadsTest, EightLoadAndEncodeWhileTheMainThreadDraws) {
    // Files the workers read: a ray of four sprites and a family holding it.
    const std::string rayPath = folder_.PathOf("four.sh");
    {
        RlsRay ray(4);
        for (int i = 0; i < 4; ++i) ray.Set(i, EncodePattern(i));
        StoreRlsRay(&ray, rayPath.c_str());
    }
    Stream rayBytes = ScratchStream();
    {
        RlsRayPtr ray(LoadRlsRay(rayPath.c_str()));
        StoreRlsRay(ray.get(), nullptr, rayBytes.get());
    }
    std::vector<uint8_t> family = {0x02, 0xAE, 2, 0, 1, 0, 0, 0};
    for (uint8_t b : ContentsOf(rayBytes.get())) family.push_back(b);
    for (char c : std::string("Hornet")) family.push_back(static_cast<uint8_t>(c ^ kRlsTextMask));
    const std::string familyPath = folder_.Write("family.shp", family);

    // What one thread makes alone.
    std::vector<Contents> expectedRay;
    {
        RlsRayPtr ray(LoadRlsRay(rayPath.c_str(), kW));
        expectedRay = ContentsOfRay(ray.get());
    }
    std::vector<Contents> expectedEncoded;
    for (int w = 0; w < kWorkers; ++w) {
        RLSpritePtr sprite(EncodePattern(100 + w));
        expectedEncoded.push_back(ContentsOfSprite(sprite.get()));
    }

    // The main thread's drawing and its reference result.
    std::vector<Pixel16> surface(kW * kH), background(kW * kH), expected;
    uint32_t state = 5;
    for (auto& p : background) p = static_cast<Pixel16>((state = state * 69069 + 1) >> 16);
    SpriteGrid grid = RandomGrid(state, 60, 40);
    grid.Bind(kW);
    Viewport view(0, 0, kW - 1, kH - 1, surface.data());
    const ReferenceDrawer reference = ReferenceDrawer::ForActiveLayout(kW, kH);
    const struct {
        int32_t x, y;
        ReferenceDrawer::Mode mode;
    } draws[] = {{100, 100, ReferenceDrawer::kTranslucent},
                 {300, 200, ReferenceDrawer::kAdditive},
                 {5, 460, ReferenceDrawer::kPlain},
                 {630, 50, ReferenceDrawer::kAdditive}};
    expected = background;
    for (const auto& d : draws) reference.Draw(expected, grid, d.x, d.y, view.area, d.mode);
    ASSERT_EQ(BlendTablesPending, 1);

    std::atomic<int> finished{0};
    std::vector<std::string> failures(kWorkers);
    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w) {
        workers.emplace_back([&, w] {
            try {
                for (int round = 0; round < kRounds; ++round) {
                    RlsRayPtr ray(LoadRlsRay(rayPath.c_str(), kW));
                    if (ContentsOfRay(ray.get()) != expectedRay) failures[w] = "ray differs";
                    RlsFamilyPtr loaded(RlsFamilyLoad(familyPath.c_str(), kW));
                    if (ContentsOfRay(loaded->rays.Get(1)) != expectedRay ||
                        std::string(loaded->texts.Get(0)) != "Hornet")
                        failures[w] = "family differs";
                    RLSpritePtr encoded(EncodePattern(100 + w));
                    if (ContentsOfSprite(encoded.get()) != expectedEncoded[w])
                        failures[w] = "encoding differs";
                    Stream record = ScratchStream();
                    StoreRLSprite(encoded.get(), nullptr, record.get());
                    std::rewind(record.get());
                    RLSpritePtr reloaded(LoadRLSprite(nullptr, 0, record.get()));
                    BindRLSprite(reloaded.get(), kW);
                    if (reloaded->runWordCount != encoded->runWordCount)
                        failures[w] = "record differs";
                }
            } catch (const FatalError& e) {
                failures[w] = e.what();
            }
            finished.fetch_add(1);
        });
    }
    int frames = 0, wrongFrames = 0;
    do {
        surface = background;
        for (const auto& d : draws) {
            if (d.mode == ReferenceDrawer::kPlain)
                DrawRLSprite(surface.data(), d.x, d.y, &grid.sprite, false);
            else
                DrawRLSpriteBlend(surface.data(), d.x, d.y, &grid.sprite,
                                  d.mode == ReferenceDrawer::kAdditive);
        }
        wrongFrames += surface != expected;
        ++frames;
    } while (finished.load() < kWorkers);
    for (std::thread& t : workers) t.join();
    EXPECT_EQ(wrongFrames, 0) << "of " << frames;
    for (int w = 0; w < kWorkers; ++w) EXPECT_EQ(failures[w], "") << "worker " << w;
    EXPECT_EQ(BlendTablesPending, 0);
}

// Eight threads draw the same scene, every mode, on canvases of their own,
// starting together while the blend tables are still to be built; each
// canvas must end as one thread alone leaves it, holes generator included,
// and the game's random sequence must not move. Once in the program's 565
// and once in a general layout.
TEST_F(WorkerThreadsTest, EightCanvasesDrawnAtOnceGiveWhatOneGives) {
    constexpr int32_t kCanvasW = 200, kCanvasH = 150, kPitch = 211;
    struct Frame {
        std::vector<Pixel16> pixels;
        uint32_t holesSeed;
    };
    for (bool general : {false, true}) {
        ResetPixelMode();
        SelectProgramPixelMode();
        if (general) SelectPixelLayout(4, 12, 6, 6, 6, 0);
        ASSERT_EQ(BlendTablesPending, 1);
        uint32_t state = 17;
        SpriteGrid ship = RandomGrid(state, 60, 40, 20);
        ship.Bind(kPitch);
        SpriteGrid spark = RandomGrid(state, 9, 5);
        spark.Bind(kPitch);
        struct Step {
            int32_t x, y;
            const RLSprite* sprite;
            vantrel::DrawMode mode;
        };
        std::vector<Step> scene;
        for (int i = 0; i < 40; ++i) {
            const auto roll = (state = state * 69069 + 1) >> 8;
            scene.push_back({static_cast<int32_t>(roll % (kCanvasW + 80)) - 40,
                             static_cast<int32_t>((roll >> 9) % (kCanvasH + 60)) - 30,
                             i % 3 == 0 ? &spark.sprite : &ship.sprite,
                             static_cast<vantrel::DrawMode>(i % 4)});
        }
        auto draw = [&](int w) {
            Frame frame{std::vector<Pixel16>(static_cast<size_t>(kPitch) * kCanvasH),
                        100u + static_cast<uint32_t>(w)};
            for (size_t i = 0; i < frame.pixels.size(); ++i)
                frame.pixels[i] = static_cast<Pixel16>(i * (w + 3));
            vantrel::Canvas canvas{frame.pixels.data(), kCanvasW, kCanvasH, kPitch,
                                   frame.holesSeed};
            for (int round = 0; round < kRounds; ++round)
                for (const Step& step : scene)
                    vantrel::Draw(canvas, step.x, step.y, step.sprite, step.mode);
            frame.holesSeed = canvas.holesSeed;
            return frame;
        };
        SetRandomSeed(2024);
        std::vector<Frame> frames(kWorkers);
        std::atomic<int> ready{0};
        std::vector<std::thread> workers;
        for (int w = 0; w < kWorkers; ++w) {
            workers.emplace_back([&, w] {
                ready.fetch_add(1);
                while (ready.load() < kWorkers) std::this_thread::yield();
                frames[w] = draw(w);
            });
        }
        for (std::thread& t : workers) t.join();
        EXPECT_EQ(RandomSeed(), 2024u);
        for (int w = 0; w < kWorkers; ++w) {
            const Frame alone = draw(w);
            EXPECT_TRUE(frames[w].pixels == alone.pixels) << "canvas " << w;
            EXPECT_EQ(frames[w].holesSeed, alone.holesSeed) << "canvas " << w;
        }
        EXPECT_NE(frames[0].holesSeed, 100u);  // the holes drew
    }
}

}  // namespace
