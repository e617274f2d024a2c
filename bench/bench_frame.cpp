// What a game frame costs: 300 sprites from the sample art (the wasp's 16
// rotations and the five pictures, each at 32, 64 and 96 pixels) on a 640 x 480
// RGB565 surface, 70 % plain, 20 % translucent, 10 % additive, 30 % of them
// crossing the surface's sides. Every drawn rectangle goes into the dirty list
// and, before the next frame, the background is restored per dirty rectangle.
// SDL2 goes through the same frames with its RLE blits and surface copies,
// restoring the same rectangles. Eight frame layouts are cycled.
//
// BM_*_SizeCurve: how the drawing time grows with sprite size (32, 128, 512)
// and with the number of sprites (plain wasps, all inside the surface where
// they fit); bench/plot_size_curve.sh draws it.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "Artwork.h"
#include "FrameAnalysis.h"
#include "SampleSet.h"
#include <Vantrel/DirtyRects.h>
#include <Vantrel/RLSpriteDraw.h>
#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Surface16.h>
#include <Vantrel/Viewport.h>

namespace {

constexpr int kW = 640, kH = 480, kSprites = 300, kLayouts = 8;
constexpr Pixel16 kKey = 0;

// One picture as our bound sprite and as SDL's three keyed RLE surfaces.
struct Art {
    RLSprite sprite;
    Rect bounds;
    SDL_Surface* sdl[3] = {};  // plain, translucent, additive
};

// The sprite's pixels, runs and edge records alike, on a keyed image of its
// rectangle (read from the unbound words).
std::vector<Pixel16> ImageOf(const RLSprite& s, int32_t w, int32_t h) {
    std::vector<Pixel16> image(static_cast<size_t>(w) * h, kKey);
    auto put = [&](int32_t x, int32_t y, Pixel16 p) {
        image[static_cast<size_t>(y) * w + x] = p == kKey ? 1 : p;
    };
    int32_t x = 0, y = 0;
    for (int32_t i = 0; i + 2 <= s.runWordCount;) {
        x += UnpackX(s.runData[i]);
        y += UnpackY(s.runData[i]);
        const auto n = static_cast<int32_t>(s.runData[i + 1]);
        for (int32_t k = 0; k < n; ++k)
            put(x + k, y, static_cast<Pixel16>(s.runData[i + 2 + k / 2] >> (16 * (k & 1))));
        i += 2 + (n + 1) / 2;
    }
    for (int32_t e = 0; e + 2 <= s.edgeWordCount; e += 2)
        put(UnpackX(s.edgeData[e]), UnpackY(s.edgeData[e]),
            static_cast<Pixel16>(s.edgeData[e + 1] >> 16));
    return image;
}

Art MakeArt(const Canvas& canvas) {
    std::vector<uint8_t> main = canvas.blended, alpha(canvas.coverage.size() * 3);
    for (size_t i = 0; i < canvas.coverage.size(); ++i)
        alpha[3 * i] = alpha[3 * i + 1] = alpha[3 * i + 2] = canvas.coverage[i];
    FrameRules rules;
    rules.main = FrameImage{main.data(), canvas.width, canvas.height};
    rules.alpha = FrameImage{alpha.data(), canvas.width, canvas.height};
    rules.feather = true;
    const Rect rect = FindFrameBounds(rules);
    Art art;
    AnchorRLSprite(art.sprite, rect, canvas.width / 2 - 1, canvas.height / 2 - 1);
    EncodeFrame(rules, rect, art.sprite);
    art.bounds = art.sprite.bounds;
    const int32_t w = rect.right - rect.left + 1, h = rect.bottom - rect.top + 1;
    const std::vector<Pixel16> image = ImageOf(art.sprite, w, h);
    for (int m = 0; m < 3; ++m) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 16, SDL_PIXELFORMAT_RGB565);
        for (int32_t y = 0; y < h; ++y)
            std::copy_n(
                image.data() + static_cast<size_t>(y) * w, w,
                reinterpret_cast<Pixel16*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch));
        SDL_SetColorKey(s, SDL_TRUE, kKey);
        SDL_SetSurfaceRLE(s, 1);
        if (m == 1) {
            SDL_SetSurfaceAlphaMod(s, 64);
            SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_BLEND);
        }
        if (m == 2) SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_ADD);
        art.sdl[m] = s;
    }
    BindRLSprite(&art.sprite, kW);
    return art;
}

Canvas PaintPicture(const std::vector<Shape>& drawing, int size) {
    Placement placement;
    placement.pivot = {size / 2 - 0.5, size / 2 - 0.5};
    placement.scale = (size / 2.0 - 2) / Radius(drawing);
    placement.lightReach = size / 2.0;
    return Paint(drawing, size, size, placement);
}

struct Instance {
    int art;
    int mode;      // 0 plain, 1 translucent, 2 additive
    int32_t x, y;  // hot spot
};

struct World {
    std::vector<Art> arts;
    std::vector<Art> wasps;  // 32, 128, 512 for the size curve
    std::vector<Pixel16> background = std::vector<Pixel16>(kW * kH);
    std::vector<Pixel16> screen;
    Viewport view{0, 0, kW - 1, kH - 1, nullptr};
    SDL_Surface* sdlBackground = nullptr;
    SDL_Surface* sdlScreen = nullptr;
    std::vector<Instance> layouts[kLayouts];

    World() {
        SelectProgramPixelMode();
        for (int size : {32, 64, 96}) {
            for (int f = 0; f < kShipFrameCount; ++f)
                arts.push_back(MakeArt(PaintShipFrame(WaspDrawing(), size, f)));
            for (auto drawing :
                 {RockDrawing, CrateDrawing, StarDrawing, PlanetDrawing, AsteroidDrawing})
                arts.push_back(MakeArt(PaintPicture(drawing(), size)));
        }
        for (int size : {32, 128, 512})
            wasps.push_back(MakeArt(PaintShipFrame(WaspDrawing(), size, 3)));
        uint32_t state = 1;
        auto next = [&state] { return (state = state * 1664525u + 1013904223u) >> 8; };
        for (auto& p : background) p = static_cast<Pixel16>(next());
        screen = background;
        view.SetSurface(screen.data());
        sdlBackground = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 16, SDL_PIXELFORMAT_RGB565);
        sdlScreen = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 16, SDL_PIXELFORMAT_RGB565);
        for (int y = 0; y < kH; ++y)
            std::copy_n(background.data() + y * kW, kW,
                        reinterpret_cast<Pixel16*>(static_cast<uint8_t*>(sdlBackground->pixels) +
                                                   y * sdlBackground->pitch));
        SDL_BlitSurface(sdlBackground, nullptr, sdlScreen, nullptr);
        for (auto& layout : layouts) {
            for (int i = 0; i < kSprites; ++i) {
                Instance s;
                s.art = static_cast<int>(next() % arts.size());
                const int roll = i % 10;
                s.mode = roll < 7 ? 0 : roll < 9 ? 1 : 2;
                const Rect& b = arts[s.art].bounds;
                const bool crossing = (i * 3) % 10 < 3;  // 30 %, spread over the modes
                if (crossing) {
                    const int32_t side = static_cast<int32_t>(next() % 4);
                    const int32_t along = static_cast<int32_t>(next());
                    s.x = side == 0 ? 0 : side == 1 ? kW - 1 : along % kW;
                    s.y = side == 2 ? 0 : side == 3 ? kH - 1 : along % kH;
                } else {
                    s.x = -b.left + static_cast<int32_t>(next() % (kW - (b.right - b.left)));
                    s.y = -b.top + static_cast<int32_t>(next() % (kH - (b.bottom - b.top)));
                }
                layout.push_back(s);
            }
        }
    }
};

World& TheWorld() {
    static World world;
    return world;
}

SDL_Rect SdlRect(const Rect& r) {
    return SDL_Rect{r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1};
}

void BM_Vantrel_Frame(benchmark::State& state) {
    World& w = TheWorld();
    ResetDirtyRects();
    int frame = 0;
    for (auto _ : state) {
        for (int32_t i = 0; i < DirtyRectCount; ++i)
            CopyRect16(w.screen.data(), w.background.data(), ClipToScreen(DirtyRects[i]));
        ResetDirtyRects();
        for (const Instance& s : w.layouts[frame++ % kLayouts]) {
            const RLSprite* sprite = &w.arts[s.art].sprite;
            AddDirtyRect(s.mode == 0
                             ? DrawRLSprite(w.screen.data(), s.x, s.y, sprite, false)
                             : DrawRLSpriteBlend(w.screen.data(), s.x, s.y, sprite, s.mode == 2));
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSprites);
}

// The same frames with SDL: the same dirty list, each rectangle restored by a
// surface copy.
void BM_SDL_Frame(benchmark::State& state) {
    World& w = TheWorld();
    ResetDirtyRects();
    int frame = 0;
    for (auto _ : state) {
        for (int32_t i = 0; i < DirtyRectCount; ++i) {
            SDL_Rect r = SdlRect(ClipToScreen(DirtyRects[i]));
            SDL_Rect at = r;
            SDL_BlitSurface(w.sdlBackground, &r, w.sdlScreen, &at);
        }
        ResetDirtyRects();
        for (const Instance& s : w.layouts[frame++ % kLayouts]) {
            const Art& art = w.arts[s.art];
            const Rect whole{s.x + art.bounds.left, s.y + art.bounds.top, s.x + art.bounds.right,
                             s.y + art.bounds.bottom};
            SDL_Rect at = SdlRect(whole);
            if (SDL_BlitSurface(art.sdl[s.mode], nullptr, w.sdlScreen, &at) == 0 && at.w > 0)
                AddDirtyRect(&whole);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSprites);
}

// count plain wasps of one size at spread-out places (partly crossing the
// sides where the sprite is larger than the space left).
std::vector<std::pair<int32_t, int32_t>> CurvePlaces(int count) {
    std::vector<std::pair<int32_t, int32_t>> places;
    for (int i = 0; i < count; ++i) places.push_back({(i * 97) % kW, (i * 61) % kH});
    return places;
}

void BM_Vantrel_SizeCurve(benchmark::State& state) {
    World& w = TheWorld();
    const RLSprite* sprite = &w.wasps[static_cast<size_t>(state.range(0))].sprite;
    const auto places = CurvePlaces(static_cast<int>(state.range(1)));
    for (auto _ : state) {
        for (auto [x, y] : places)
            benchmark::DoNotOptimize(DrawRLSprite(w.screen.data(), x, y, sprite, false));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(1));
}

void BM_SDL_SizeCurve(benchmark::State& state) {
    World& w = TheWorld();
    const Art& art = w.wasps[static_cast<size_t>(state.range(0))];
    const auto places = CurvePlaces(static_cast<int>(state.range(1)));
    for (auto _ : state) {
        for (auto [x, y] : places) {
            SDL_Rect at{x + art.bounds.left, y + art.bounds.top, 0, 0};
            SDL_BlitSurface(art.sdl[0], nullptr, w.sdlScreen, &at);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(1));
}

// Arguments: wasp size (0: 32, 1: 128, 2: 512) and sprite count.
void Curve(benchmark::internal::Benchmark* b) {
    for (int size = 0; size < 3; ++size)
        for (int count : {10, 100, 300}) b->Args({size, count});
}

BENCHMARK(BM_Vantrel_Frame);
BENCHMARK(BM_SDL_Frame);
BENCHMARK(BM_Vantrel_SizeCurve)->Apply(Curve);
BENCHMARK(BM_SDL_SizeCurve)->Apply(Curve);

}  // namespace

BENCHMARK_MAIN();
