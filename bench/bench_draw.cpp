// Sprite drawing against SDL2's and Allegro 4's run-length sprites and against
// memcpy of the same runs (the limit): a 128 x 128 ship, about 60 % opaque
// with some feathered edge pixels, drawn 64 times per iteration on a 640 x 480 RGB565
// surface, wholly inside the surface (Arg 0) or crossing its sides (Arg 1).
// The peers draw the same pixels: every run pixel and every edge pixel. The
// canvas draw (Canvas.h) is timed against the classic call on the same ship
// and places.
#include <SDL2/SDL.h>
#include <allegro.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <Vantrel/Canvas.h>
#include <Vantrel/RLSpriteDraw.h>
#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Viewport.h>
#include "support/SpriteGrid.h"

namespace {

constexpr int kW = 640, kH = 480, kSize = 128, kDraws = 64;
constexpr Pixel16 kAllegroMask = 0xF81F;

// The ship: an ellipse with window slits and some feathered row ends.
SpriteGrid MakeShip() {
    SpriteGrid g;
    g.w = g.h = kSize;
    g.hotX = g.hotY = kSize / 2 - 1;
    g.cells.resize(kSize * kSize);
    auto solid = [](int x, int y) {
        if (x < 0 || y < 0 || x >= kSize || y >= kSize) return false;
        const double dx = (x - 63.5) / 64.0, dy = (y - 63.5) / 51.0;
        if (dx * dx + dy * dy > 1.0) return false;
        return !(y % 16 == 8 && x % 24 < 3);  // window slits split the rows
    };
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            if (!solid(x, y)) continue;
            SpriteCell& c = g.At(x, y);
            c.colour = static_cast<Pixel16>(((x * 31 / kSize) << 11) | ((y * 63 / kSize) << 5) |
                                            ((x + y) % 31 + 1));
            if (c.colour == kAllegroMask) c.colour ^= 1;
            // Some edge records: the row ends of every fourth row.
            const bool rowEnd = !solid(x - 1, y) || !solid(x + 1, y);
            c.kind = rowEnd && y % 4 == 0 ? SpriteCell::kEdge : SpriteCell::kRun;
            if (c.kind == SpriteCell::kEdge) {
                c.level = 4;
                c.colour = static_cast<Pixel16>(c.colour - ((c.colour >> 3) & 0x18E3));
            }
        }
    g.Bind(kW);
    return g;
}

// Top-left corners of the 64 draws.
std::vector<std::pair<int, int>> Places(bool clipped) {
    std::vector<std::pair<int, int>> places;
    for (int i = 0; i < kDraws; ++i) {
        int x = (i * 97) % (kW - kSize), y = (i * 61) % (kH - kSize);
        if (clipped) {
            const int off = 32 + (i * 13) % 64;  // 32..95 pixels past a side
            switch (i % 4) {
                case 0:
                    x = -off;
                    break;
                case 1:
                    x = kW - kSize + off;
                    break;
                case 2:
                    y = -off;
                    break;
                default:
                    y = kH - kSize + off;
                    break;
            }
        }
        places.push_back({x, y});
    }
    return places;
}

struct World {
    SpriteGrid ship = (SelectProgramPixelMode(), MakeShip());
    std::vector<Pixel16> surface = std::vector<Pixel16>(kW * kH, 0x4208);
    Viewport view{0, 0, kW - 1, kH - 1, surface.data()};
    // The canvas draws' own pixels, of the surface's shape.
    std::vector<Pixel16> canvasPixels = std::vector<Pixel16>(kW * kH, 0x4208);
    vantrel::Canvas canvas{canvasPixels.data(), kW, kH, kW};
    SDL_Surface* sdlScreen = nullptr;
    SDL_Surface* sdlSprite[3] = {};  // plain, translucent, additive
    BITMAP* alScreen = nullptr;
    RLE_SPRITE* alSprite = nullptr;
    int opaque = 0;

    World() {
        SelectProgramPixelMode();
        sdlScreen = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 16, SDL_PIXELFORMAT_RGB565);
        for (int m = 0; m < 3; ++m) {
            SDL_Surface* s =
                SDL_CreateRGBSurfaceWithFormat(0, kSize, kSize, 16, SDL_PIXELFORMAT_RGB565);
            Fill(static_cast<Pixel16*>(s->pixels), s->pitch / 2, 0);
            SDL_SetColorKey(s, SDL_TRUE, 0);
            SDL_SetSurfaceRLE(s, 1);
            if (m == 1) {
                SDL_SetSurfaceAlphaMod(s, 64);
                SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_BLEND);
            }
            if (m == 2) SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_ADD);
            SDL_Rect at{0, 0, kSize, kSize};
            SDL_BlitSurface(s, nullptr, sdlScreen, &at);  // encodes the runs
            sdlSprite[m] = s;
        }
        if (install_allegro(SYSTEM_NONE, &errno, std::atexit) != 0) std::abort();
        set_color_depth(16);
        _rgb_r_shift_16 = 11;  // RGB565, as the other two
        _rgb_g_shift_16 = 5;
        _rgb_b_shift_16 = 0;
        if (makecol16(255, 0, 0) != 0xF800 || makecol16(0, 0, 255) != 0x001F) std::abort();
        alScreen = create_bitmap_ex(16, kW, kH);
        BITMAP* art = create_bitmap_ex(16, kSize, kSize);
        for (int y = 0; y < kSize; ++y)
            Fill(reinterpret_cast<Pixel16*>(art->line[y]) - y * kSize, kSize, kAllegroMask, y);
        alSprite = get_rle_sprite(art);
        destroy_bitmap(art);
        for (const auto& c : ship.cells) opaque += c.kind != SpriteCell::kClear;
    }
    // Writes the ship's pixels (runs and rim) into a kSize-wide image of the
    // given pitch; clear pixels get key. With row >= 0 only that row.
    void Fill(Pixel16* image, int pitch, Pixel16 key, int row = -1) const {
        for (int y = 0; y < kSize; ++y) {
            if (row >= 0 && y != row) continue;
            for (int x = 0; x < kSize; ++x) {
                const SpriteCell& c = ship.At(x, y);
                image[y * pitch + x] = c.kind == SpriteCell::kClear ? key : c.colour;
            }
        }
    }
};

World& TheWorld() {
    static World world;
    return world;
}

void Report(benchmark::State& state) {
    const World& w = TheWorld();
    state.SetItemsProcessed(state.iterations() * kDraws * w.opaque);
    state.counters["edges"] = static_cast<double>(w.ship.edgeWords.size() / 2);
    state.counters["opaque%"] = 100.0 * w.opaque / (kSize * kSize);
}

using Places64 = std::vector<std::pair<int, int>>;

// What the drawing modes of BM_Vantrel mean.
enum OurMode {
    kOurPlain = 0,
    kOurHoles = 1,
    kOurTranslucent = 2,
    kOurAdditive = 3,
    kOurRunsOnly = 4
};

// Our ship without its edge records (the runs_only cases).
const RLSprite& RunsOnly() {
    static const RLSprite sprite = [] {
        RLSprite s = TheWorld().ship.sprite;
        s.edgeWordCount = 0;
        IndexRLSprite(s);  // the ship's index describes its edge records too
        return s;
    }();
    return sprite;
}

// One frame of kDraws draws by each drawer.
void DrawOurs(World& w, const Places64& places, int mode) {
    const int hot = kSize / 2 - 1;
    const RLSprite* sprite = mode == kOurRunsOnly ? &RunsOnly() : &w.ship.sprite;
    for (auto [x, y] : places) {
        Rect* r = mode == kOurTranslucent || mode == kOurAdditive
                      ? DrawRLSpriteBlend(w.surface.data(), x + hot, y + hot, sprite,
                                          mode == kOurAdditive)
                      : DrawRLSprite(w.surface.data(), x + hot, y + hot, sprite, mode == kOurHoles);
        benchmark::DoNotOptimize(r);
    }
    benchmark::ClobberMemory();
}

void DrawOnCanvas(World& w, const Places64& places, int mode) {
    const int hot = kSize / 2 - 1;
    const RLSprite* sprite = mode == kOurRunsOnly ? &RunsOnly() : &w.ship.sprite;
    const vantrel::DrawMode canvasMode = mode == kOurHoles         ? vantrel::DrawMode::Holes
                                         : mode == kOurTranslucent ? vantrel::DrawMode::Translucent
                                         : mode == kOurAdditive    ? vantrel::DrawMode::Additive
                                                                   : vantrel::DrawMode::Opaque;
    for (auto [x, y] : places) {
        std::optional<Rect> r = vantrel::Draw(w.canvas, x + hot, y + hot, sprite, canvasMode);
        benchmark::DoNotOptimize(r);
    }
    benchmark::ClobberMemory();
}

void DrawSdl(World& w, const Places64& places, int mode) {
    for (auto [x, y] : places) {
        SDL_Rect at{x, y, kSize, kSize};
        SDL_BlitSurface(w.sdlSprite[mode], nullptr, w.sdlScreen, &at);
    }
    benchmark::ClobberMemory();
}

// The limit: each visible run copied with memcpy from a list made beforehand.
struct RunCopies {
    struct Copy {
        ptrdiff_t at;
        const Pixel16* from;
        size_t bytes;
    };
    std::vector<Pixel16> packed;
    std::vector<Copy> copies;
};

RunCopies ListRunCopies(const World& w, const Places64& places) {
    RunCopies list;
    list.packed.resize(kSize * kSize);
    w.Fill(list.packed.data(), kSize, 0);
    for (auto [x, y] : places)
        for (int gy = 0; gy < kSize; ++gy) {
            if (y + gy < 0 || y + gy >= kH) continue;
            for (int gx = 0; gx < kSize;) {
                if (w.ship.At(gx, gy).kind == SpriteCell::kClear || x + gx < 0 || x + gx >= kW) {
                    ++gx;
                    continue;
                }
                int end = gx;
                while (end < kSize && w.ship.At(end, gy).kind != SpriteCell::kClear && x + end < kW)
                    ++end;
                list.copies.push_back({(y + gy) * kW + x + gx, list.packed.data() + gy * kSize + gx,
                                       static_cast<size_t>(end - gx) * 2});
                gx = end;
            }
        }
    return list;
}

void CopyRuns(World& w, const RunCopies& list) {
    for (const RunCopies::Copy& c : list.copies)
        std::memcpy(w.surface.data() + c.at, c.from, c.bytes);
    benchmark::ClobberMemory();
}

void BM_Vantrel(benchmark::State& state, int mode) {
    World& w = TheWorld();
    const Places64 places = Places(state.range(0) != 0);
    for (auto _ : state) DrawOurs(w, places, mode);
    Report(state);
}

void BM_SDL(benchmark::State& state, int mode) {
    World& w = TheWorld();
    const Places64 places = Places(state.range(0) != 0);
    for (auto _ : state) DrawSdl(w, places, mode);
    Report(state);
}

void BM_Allegro(benchmark::State& state, int mode) {
    World& w = TheWorld();
    const Places64 places = Places(state.range(0) != 0);
    if (mode == 1) set_trans_blender(0, 0, 0, 64);
    if (mode == 2) set_add_blender(0, 0, 0, 255);
    for (auto _ : state) {
        for (auto [x, y] : places) {
            if (mode == 0)
                draw_rle_sprite(w.alScreen, w.alSprite, x, y);
            else
                draw_trans_rle_sprite(w.alScreen, w.alSprite, x, y);
        }
        benchmark::ClobberMemory();
    }
    Report(state);
}

void BM_Memcpy(benchmark::State& state) {
    World& w = TheWorld();
    const RunCopies list = ListRunCopies(w, Places(state.range(0) != 0));
    for (auto _ : state) CopyRuns(w, list);
    Report(state);
}

void BM_Memcpy_plain(benchmark::State& state) {
    BM_Memcpy(state);
}

// Ours against SDL2 and memcpy in one benchmark: each iteration times a block
// of frames of each in turn, so that a slow moment of the shared machine falls
// on all three alike. A block keeps each drawer's own surface in the cache as
// the separate benchmarks do. The counters are the ratios of the totals:
// sdl/ours above 1 and ours/memcpy near 1 are good.
void BM_Paired(benchmark::State& state, int ourMode, int sdlMode) {
    constexpr int kFramesPerBlock = 16;
    World& w = TheWorld();
    const Places64 places = Places(state.range(0) != 0);
    const RunCopies list = ListRunCopies(w, places);
    using Clock = std::chrono::steady_clock;
    Clock::duration ours{}, sdl{}, copy{};
    auto timeBlock = [](Clock::duration& total, auto&& frame) {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < kFramesPerBlock; ++i) frame();
        total += Clock::now() - start;
    };
    for (auto _ : state) {
        timeBlock(ours, [&] { DrawOurs(w, places, ourMode); });
        timeBlock(sdl, [&] { DrawSdl(w, places, sdlMode); });
        timeBlock(copy, [&] { CopyRuns(w, list); });
    }
    const double o = std::chrono::duration<double>(ours).count();
    state.counters["sdl/ours"] = std::chrono::duration<double>(sdl).count() / o;
    state.counters["ours/memcpy"] = o / std::chrono::duration<double>(copy).count();
    state.counters["ours_us"] =
        1e6 * o / (static_cast<double>(state.iterations()) * kFramesPerBlock);
}

// The canvas draw against the classic call, in blocks of frames in turn as
// above, the order swapped every iteration; canvas/classic is the ratio of
// the totals (1 is the goal: the same paths behind both).
void BM_PairedCanvas(benchmark::State& state, int mode) {
    constexpr int kFramesPerBlock = 16;
    World& w = TheWorld();
    const Places64 places = Places(state.range(0) != 0);
    using Clock = std::chrono::steady_clock;
    Clock::duration classic{}, canvas{};
    auto timeBlock = [](Clock::duration& total, auto&& frame) {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < kFramesPerBlock; ++i) frame();
        total += Clock::now() - start;
    };
    bool classicFirst = true;
    for (auto _ : state) {
        for (int turn = 0; turn < 2; ++turn) {
            if ((turn == 0) == classicFirst)
                timeBlock(classic, [&] { DrawOurs(w, places, mode); });
            else
                timeBlock(canvas, [&] { DrawOnCanvas(w, places, mode); });
        }
        classicFirst = !classicFirst;
    }
    const double c = std::chrono::duration<double>(classic).count();
    const double frames = static_cast<double>(state.iterations()) * kFramesPerBlock;
    state.counters["canvas/classic"] = std::chrono::duration<double>(canvas).count() / c;
    state.counters["classic_us"] = 1e6 * c / frames;
}

void Both(benchmark::internal::Benchmark* b) {
    b->Arg(0)->Arg(1);
}

BENCHMARK(BM_Memcpy_plain)->Apply(Both);
BENCHMARK_CAPTURE(BM_Vantrel, plain, kOurPlain)->Apply(Both);
BENCHMARK_CAPTURE(BM_SDL, plain, 0)->Apply(Both);
BENCHMARK_CAPTURE(BM_Allegro, plain, 0)->Apply(Both);
BENCHMARK_CAPTURE(BM_Vantrel, runs_only, kOurRunsOnly)->Apply(Both);
BENCHMARK_CAPTURE(BM_Vantrel, holes, kOurHoles)->Apply(Both);
BENCHMARK_CAPTURE(BM_Vantrel, translucent, kOurTranslucent)->Apply(Both);
BENCHMARK_CAPTURE(BM_SDL, translucent, 1)->Apply(Both);
BENCHMARK_CAPTURE(BM_Allegro, translucent, 1)->Apply(Both);
BENCHMARK_CAPTURE(BM_Vantrel, additive, kOurAdditive)->Apply(Both);
BENCHMARK_CAPTURE(BM_SDL, additive, 2)->Apply(Both);
BENCHMARK_CAPTURE(BM_Allegro, additive, 2)->Apply(Both);
BENCHMARK_CAPTURE(BM_Paired, plain, kOurPlain, 0)->Apply(Both);
BENCHMARK_CAPTURE(BM_Paired, runs_only, kOurRunsOnly, 0)->Apply(Both);
BENCHMARK_CAPTURE(BM_Paired, translucent, kOurTranslucent, 1)->Apply(Both);
BENCHMARK_CAPTURE(BM_Paired, additive, kOurAdditive, 2)->Apply(Both);

// BM_Paired/canvas_<mode>/<side>, beside the pairs above.
const bool kCanvasPairs = [] {
    const std::pair<const char*, int> modes[] = {{"plain", kOurPlain},
                                                 {"runs_only", kOurRunsOnly},
                                                 {"holes", kOurHoles},
                                                 {"translucent", kOurTranslucent},
                                                 {"additive", kOurAdditive}};
    for (const auto& [name, mode] : modes)
        benchmark::RegisterBenchmark((std::string("BM_Paired/canvas_") + name).c_str(),
                                     BM_PairedCanvas, mode)
            ->Apply(Both);
    return true;
}();

}  // namespace

BENCHMARK_MAIN();
