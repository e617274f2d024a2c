// What a game frame costs: sprites from the sample art drawn on a 640 x 480
// RGB565 surface, 70 % plain, 20 % translucent, 10 % additive, 30 % of them
// crossing the surface's sides; every drawn rectangle goes into the dirty list,
// and before the next frame the background is copied back over each dirty
// rectangle. SDL2 runs the same frame in the same process: colour-keyed
// run-length surfaces (SDL_RLEACCEL), alpha modulation for translucent and
// additive blend mode, and surface copies of the same dirty rectangles.
//
//   frame/<side>         300 sprites of 3 sizes (32, 64, 128), background restored
//   frame_<blend>/<side> the same frame with every sprite plain, translucent or additive
//   size/<side>/<n>      100 sprites of one size (n x n canvas), drawing only
//   count/<side>/<n>     n sprites of the frame's 3 sizes, drawing only
//
// Before anything is timed both sides draw check frames and the program stops
// unless they agree: the same pixels for a plain frame of the sprites' runs,
// and nearly the same for an all-translucent and an all-additive frame (the
// blenders round differently). bench/README.md tells how to run it.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <Vantrel/DirtyRects.h>
#include <Vantrel/RLSpriteDraw.h>
#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Surface16.h>
#include <Vantrel/Viewport.h>
#include "FrameArt.h"
#include "FrameScene.h"

namespace {

constexpr int kW = 640, kH = 480;
constexpr uint32_t kSeed = 20261209;
constexpr int kFrameSprites = 300;
constexpr int kFrameSizes[] = {32, 64, 128};
constexpr int kCurveSizes[] = {32, 128, 512};
constexpr int kCurveLooks[] = {0, 3, 6, 9, 12, 15, 16, 19};
constexpr int kCurveSprites = 100;
constexpr int kCounts[] = {10, 30, 100, 300, 1000};

// SDL's surfaces of one sprite: what each kind of draw blits. Blended draws
// leave out edge pixels on both sides; kPlainRuns serves the exact check.
enum SdlKind { kSdlPlain, kSdlTranslucent, kSdlAdditive, kSdlPlainRuns, kSdlKinds };

struct Art {
    std::unique_ptr<ArtSprite> vantrel;
    SDL_Surface* sdl[kSdlKinds] = {};
};

struct Scene {
    std::vector<const Art*> pool;
    std::vector<PlacedSprite> sprites;
    int64_t spritePixels = 0;  // run and edge pixels of all sprites, before clipping
};

SDL_Surface* MakeSdlSprite(const ArtSprite& art, const std::vector<Pixel16>& image, SdlKind kind,
                           SDL_Surface* screen) {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormat(0, art.width, art.height, 16, SDL_PIXELFORMAT_RGB565);
    if (s == nullptr) std::abort();
    for (int32_t y = 0; y < art.height; ++y)
        std::memcpy(static_cast<char*>(s->pixels) + static_cast<ptrdiff_t>(y) * s->pitch,
                    image.data() + static_cast<size_t>(y) * art.width,
                    static_cast<size_t>(art.width) * 2);
    SDL_SetColorKey(s, SDL_TRUE, 0);
    SDL_SetSurfaceRLE(s, 1);
    if (kind == kSdlTranslucent) {
        SDL_SetSurfaceAlphaMod(s, 64);  // a quarter of the sprite, as Vantrel's
        SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_BLEND);
    }
    if (kind == kSdlAdditive) SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_ADD);
    // SDL encodes the runs at the first blit; do it here, outside the timing,
    // onto the screen it will be drawn on (SDL maps a surface for one
    // destination and encodes it again for another).
    SDL_BlitSurface(s, nullptr, screen, nullptr);
    return s;
}

class World {
public:
    World() {
        SelectProgramPixelMode();
        for (int32_t y = 0; y < kH; ++y)
            for (int32_t x = 0; x < kW; ++x)  // a dim blue-green pattern
                background_[static_cast<size_t>(y) * kW + x] = static_cast<Pixel16>(
                    ((x / 16 + y / 16) % 2 ? 0x0841 : 0x1082) + ((y * 16 / kH) << 5));
        sdlBackground_ = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 16, SDL_PIXELFORMAT_RGB565);
        sdlScreen_ = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 16, SDL_PIXELFORMAT_RGB565);
        if (sdlBackground_ == nullptr || sdlScreen_ == nullptr) std::abort();
        for (int32_t y = 0; y < kH; ++y)
            std::memcpy(SdlRow(sdlBackground_, y), &background_[static_cast<size_t>(y) * kW],
                        kW * 2);
    }

    const Art& Get(int look, int size) {
        Art& art = arts_[{look, size}];
        if (!art.vantrel) {
            art.vantrel = MakeArtSprite(look, size);
            const ArtSprite& a = *art.vantrel;
            for (int k = 0; k < kSdlKinds; ++k)
                art.sdl[k] = MakeSdlSprite(a, k == kSdlPlain ? a.image : a.runImage,
                                           static_cast<SdlKind>(k), sdlScreen_);
        }
        return art;
    }

    Scene MakeScene(const std::vector<int>& looks, const std::vector<int>& sizes, int count) {
        Scene scene;
        std::vector<Rect> bounds;
        for (int size : sizes)
            for (int look : looks) {
                scene.pool.push_back(&Get(look, size));
                bounds.push_back(scene.pool.back()->vantrel->sprite.bounds);
            }
        scene.sprites = PlaceSprites(bounds, count, kW, kH, kSeed);
        for (const PlacedSprite& p : scene.sprites) {
            const ArtSprite& a = *scene.pool[static_cast<size_t>(p.item)]->vantrel;
            scene.spritePixels += a.runPixels + (p.blend == Blend::kPlain ? a.edgePixels : 0);
        }
        return scene;
    }

    // Both screens back to the background, the dirty list empty.
    void Clear() {
        screen_ = background_;
        SDL_BlitSurface(sdlBackground_, nullptr, sdlScreen_, nullptr);
        ResetDirtyRects();
    }

    // One frame on either side. restore: first copy the background back over
    // the dirty rectangles, and list every rectangle drawn. runsOnly: plain
    // draws leave out edge records / edge pixels (the exact check).
    void VantrelFrame(const Scene& scene, bool restore, bool runsOnly = false) {
        if (restore) {
            for (int32_t i = 0; i < DirtyRectCount; ++i)
                CopyRect16(screen_.data(), background_.data(), DirtyRects[i]);
            ResetDirtyRects();
        }
        for (const PlacedSprite& p : scene.sprites) {
            const ArtSprite& a = *scene.pool[static_cast<size_t>(p.item)]->vantrel;
            Rect* r = p.blend == Blend::kPlain
                          ? DrawRLSprite(screen_.data(), p.x, p.y,
                                         runsOnly ? &a.runsOnly : &a.sprite, false)
                          : DrawRLSpriteBlend(screen_.data(), p.x, p.y, &a.sprite,
                                              p.blend == Blend::kAdditive);
            if (restore && r != nullptr) {
                const Rect visible = ClipToScreen(*r);
                AddDirtyRect(&visible);
            }
        }
    }

    void SdlFrame(const Scene& scene, bool restore, bool runsOnly = false) {
        if (restore) {
            for (int32_t i = 0; i < DirtyRectCount; ++i) {
                const Rect& d = DirtyRects[i];
                SDL_Rect from{d.left, d.top, d.right - d.left + 1, d.bottom - d.top + 1};
                SDL_Rect to = from;
                SDL_BlitSurface(sdlBackground_, &from, sdlScreen_, &to);
            }
            ResetDirtyRects();
        }
        for (const PlacedSprite& p : scene.sprites) {
            const Art& art = *scene.pool[static_cast<size_t>(p.item)];
            const Rect& b = art.vantrel->sprite.bounds;
            const SdlKind kind = p.blend == Blend::kTranslucent ? kSdlTranslucent
                                 : p.blend == Blend::kAdditive  ? kSdlAdditive
                                 : runsOnly                     ? kSdlPlainRuns
                                                                : kSdlPlain;
            SDL_Rect to{p.x + b.left, p.y + b.top, art.vantrel->width, art.vantrel->height};
            if (SDL_BlitSurface(art.sdl[kind], nullptr, sdlScreen_, &to) == 0 && restore &&
                to.w > 0 && to.h > 0) {
                const Rect visible{to.x, to.y, to.x + to.w - 1, to.y + to.h - 1};
                AddDirtyRect(&visible);
            }
        }
    }

    const Pixel16* Screen() const { return screen_.data(); }
    const Pixel16* SdlScreenRow(int32_t y) const { return SdlRow(sdlScreen_, y); }
    const Pixel16* Background() const { return background_.data(); }
    // How many of the sprite surfaces SDL keeps run-length encoded.
    int SdlRleSurfaces(SdlKind kind) const {
        int n = 0;
        for (const auto& [key, art] : arts_) n += (art.sdl[kind]->flags & SDL_RLEACCEL) != 0;
        return n;
    }

private:
    static Pixel16* SdlRow(SDL_Surface* s, int32_t y) {
        return reinterpret_cast<Pixel16*>(static_cast<char*>(s->pixels) +
                                          static_cast<ptrdiff_t>(y) * s->pitch);
    }

    std::vector<Pixel16> background_ = std::vector<Pixel16>(kW * kH);
    std::vector<Pixel16> screen_ = background_;
    Viewport view_{0, 0, kW - 1, kH - 1, screen_.data()};
    SDL_Surface* sdlBackground_ = nullptr;
    SDL_Surface* sdlScreen_ = nullptr;
    std::map<std::pair<int, int>, Art> arts_;
};

World& TheWorld() {
    static World world;
    return world;
}

std::vector<int> AllLooks() {
    std::vector<int> looks;
    for (int i = 0; i < kLookCount; ++i) looks.push_back(i);
    return looks;
}

std::vector<int> FrameSizes() {
    return {std::begin(kFrameSizes), std::end(kFrameSizes)};
}

// How the two screens differ: pixels that differ, and the largest difference
// of one channel in its own units (5 or 6 bits).
struct Difference {
    int64_t pixels = 0;
    int channel = 0;
    int64_t drawn = 0;  // pixels of the Vantrel screen that differ from the background
};

Difference Compare(const World& w) {
    Difference d;
    for (int32_t y = 0; y < kH; ++y) {
        const Pixel16* sdl = w.SdlScreenRow(y);
        for (int32_t x = 0; x < kW; ++x) {
            const size_t at = static_cast<size_t>(y) * kW + x;
            const Pixel16 a = w.Screen()[at], b = sdl[x];
            d.drawn += a != w.Background()[at];
            if (a == b) continue;
            ++d.pixels;
            const int channels[3] = {std::abs((a >> 11) - (b >> 11)),
                                     std::abs(((a >> 5) & 63) - ((b >> 5) & 63)),
                                     std::abs((a & 31) - (b & 31))};
            d.channel = std::max({d.channel, channels[0], channels[1], channels[2]});
        }
    }
    return d;
}

// Draws the frame's scene once per blend on both sides and compares. The plain
// frame of runs must match to the pixel; blended frames may differ by the
// blenders' rounding, a few steps of a channel where sprites pile up.
bool CheckBothSidesDrawTheSame() {
    World& w = TheWorld();
    const Scene frame = w.MakeScene(AllLooks(), FrameSizes(), kFrameSprites);
    struct Case {
        const char* name;
        Blend blend;
        int tolerance;
    };
    const Case cases[] = {{"plain (runs)", Blend::kPlain, 0},
                          {"translucent", Blend::kTranslucent, 3},
                          {"additive", Blend::kAdditive, 3}};
    bool ok = true;
    for (const Case& c : cases) {
        Scene scene = frame;
        for (PlacedSprite& p : scene.sprites) p.blend = c.blend;
        w.Clear();
        w.VantrelFrame(scene, false, true);
        w.SdlFrame(scene, false, true);
        const Difference d = Compare(w);
        const bool pass = d.drawn > kW * kH / 4 && d.channel <= c.tolerance;
        std::printf("check %-13s %7lld pixels drawn, %6lld differ, largest channel step %d: %s\n",
                    c.name, static_cast<long long>(d.drawn), static_cast<long long>(d.pixels),
                    d.channel, pass ? "ok" : "FAILED");
        ok = ok && pass;
    }
    std::printf("SDL blits run-length encoded: plain %d, translucent %d, additive %d of %d\n",
                w.SdlRleSurfaces(kSdlPlain), w.SdlRleSurfaces(kSdlTranslucent),
                w.SdlRleSurfaces(kSdlAdditive), kLookCount * 3);
    std::fflush(stdout);
    w.Clear();
    return ok;
}

void RunFrames(benchmark::State& state, const Scene& scene, bool sdl, bool restore) {
    World& w = TheWorld();
    w.Clear();
    for (auto _ : state) {
        if (sdl)
            w.SdlFrame(scene, restore);
        else
            w.VantrelFrame(scene, restore);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * scene.spritePixels);
    state.counters["sprites"] = static_cast<double>(scene.sprites.size());
    state.counters["sprite_pixels"] = static_cast<double>(scene.spritePixels);
}

// only: when set, every sprite of the scene is drawn with that blend.
void Register(const std::string& name, std::vector<int> looks, std::vector<int> sizes, int count,
              bool restore, std::optional<Blend> only = std::nullopt) {
    for (const char* side : {"Vantrel", "SDL"}) {
        const bool sdl = side[0] == 'S';
        std::string full = name;
        full.insert(name.find('/') == std::string::npos ? name.size() : name.find('/'),
                    std::string("/") + side);
        benchmark::RegisterBenchmark(full.c_str(), [=](benchmark::State& state) {
            static std::map<std::string, Scene> scenes;  // built once, outside the timing
            auto found = scenes.find(full);
            if (found == scenes.end()) {
                Scene scene = TheWorld().MakeScene(looks, sizes, count);
                if (only)
                    for (PlacedSprite& p : scene.sprites) p.blend = *only;
                found = scenes.emplace(full, std::move(scene)).first;
            }
            RunFrames(state, found->second, sdl, restore);
        })->Unit(benchmark::kMicrosecond);
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!CheckBothSidesDrawTheSame()) {
        std::fprintf(stderr, "bench_frame: the two sides do not draw the same frame\n");
        return 1;
    }
    const std::vector<int> curveLooks(std::begin(kCurveLooks), std::end(kCurveLooks));
    Register("frame", AllLooks(), FrameSizes(), kFrameSprites, true);
    Register("frame_plain", AllLooks(), FrameSizes(), kFrameSprites, true, Blend::kPlain);
    Register("frame_translucent", AllLooks(), FrameSizes(), kFrameSprites, true,
             Blend::kTranslucent);
    Register("frame_additive", AllLooks(), FrameSizes(), kFrameSprites, true, Blend::kAdditive);
    for (int size : kCurveSizes)
        Register("size/" + std::to_string(size), curveLooks, {size}, kCurveSprites, false);
    for (int count : kCounts)
        Register("count/" + std::to_string(count), AllLooks(), FrameSizes(), count, false);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
