// Encoding a frame into an RLSprite, against SDL2's own run-length encoding of
// the same frame held as a colour-keyed RGB565 surface.
//
// SDL encodes lazily, inside the first blit after run-length acceleration is
// switched on; its cost is taken as that blit's time minus the time of the
// next (ordinary, already encoded) blit of the same surface, measured per
// iteration on the thread's CPU clock, so that it compares with the CPU time
// Google Benchmark reports for ours on a busy machine. Ours starts from the 24-bit image,
// converting every pixel to RGB565 as it goes, and includes the copies into the sprite's own
// buffers.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <time.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "frames/FramePixelRules.h"
#include "frames/FramePixelRules.h"
#include <Vantrel/Rls.h>

namespace {

// A ship-like frame: a hull ellipse with shaded, anti-aliased edges, fins and
// windows (holes), about 60 % opaque, on black.
struct Frame {
    int32_t size;
    std::vector<uint8_t> rgb;
    std::vector<uint8_t> alpha;
    std::vector<uint16_t> rgb565;
};

Frame MakeFrame(int32_t size) {
    Frame f{size, std::vector<uint8_t>(static_cast<size_t>(size * size) * 3, 0),
            std::vector<uint8_t>(static_cast<size_t>(size * size) * 3, 0),
            std::vector<uint16_t>(static_cast<size_t>(size * size), 0)};
    const double c = size / 2.0;
    for (int32_t y = 0; y < size; ++y) {
        for (int32_t x = 0; x < size; ++x) {
            const double dx = (x + 0.5 - c) / (size * 0.46);
            const double dy = (y + 0.5 - c) / (size * 0.40);
            const double d = std::sqrt(dx * dx + dy * dy);
            const bool fin =
                std::abs(x + 0.5 - c) < size * 0.08 && y < size * 0.95 && y > size * 0.05;
            double cover = fin ? 1.0 : std::clamp((1.0 - d) * size * 0.4, 0.0, 1.0);
            const bool window = ((x / 6) % 3 == 1) && ((y / 6) % 4 == 1) && d < 0.6;
            if (window) cover = 0;
            const size_t i = static_cast<size_t>(x + y * size);
            if (cover <= 0) continue;
            const int shade = 60 + (x * 131 + y * 71) % 160;
            const auto r = static_cast<uint8_t>(shade * cover);
            const auto g = static_cast<uint8_t>((shade / 2 + 40) * cover);
            const auto b = static_cast<uint8_t>((255 - shade / 2) * cover);
            f.rgb[3 * i] = r;
            f.rgb[3 * i + 1] = g;
            f.rgb[3 * i + 2] = b;
            const auto a = static_cast<uint8_t>(255 * cover);
            f.alpha[3 * i] = f.alpha[3 * i + 1] = f.alpha[3 * i + 2] = a;
            f.rgb565[i] = RgbTo565NonBlack(r, g, b);
        }
    }
    return f;
}

enum Treatment { kPlain, kBorder, kFeather, kFeatherAlpha };

void BM_EncodeRLSprite(benchmark::State& state) {
    SetPixelMode565();
    Frame frame = MakeFrame(static_cast<int32_t>(state.range(0)));
    const auto treatment = static_cast<Treatment>(state.range(1));
    FrameRules rules;
    rules.main = FrameImage{frame.rgb.data(), frame.size, frame.size};
    rules.feather = treatment == kFeather || treatment == kFeatherAlpha;
    if (treatment == kFeatherAlpha)
        rules.alpha = FrameImage{frame.alpha.data(), frame.size, frame.size};
    if (treatment == kBorder) {
        rules.border = true;
        rules.marker = FindMarkerColour(rules.main);
        PaintBorder(rules.main, rules.marker);
    }
    const Rect rect = FindFrameBounds(rules);
    RLSprite sprite;
    for (auto _ : state) {
        EncodeFrame(rules, rect, sprite);
        benchmark::DoNotOptimize(sprite.runData);
        ReleaseRLSpriteData(sprite);
    }
    state.SetItemsProcessed(state.iterations() * frame.size * frame.size);
}
BENCHMARK(BM_EncodeRLSprite)
    ->ArgNames({"size", "treatment"})
    ->ArgsProduct({{128, 256}, {kPlain, kBorder, kFeather, kFeatherAlpha}});

void BM_SdlRleEncode(benchmark::State& state) {
    Frame frame = MakeFrame(static_cast<int32_t>(state.range(0)));
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        frame.rgb565.data(), frame.size, frame.size, 16, frame.size * 2, SDL_PIXELFORMAT_RGB565);
    SDL_Surface* screen = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 16, SDL_PIXELFORMAT_RGB565);
    if (source == nullptr || screen == nullptr) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    SDL_SetColorKey(source, SDL_TRUE, 0);
    SDL_Rect at{100, 100, 0, 0};
    auto now = [] {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    };
    for (auto _ : state) {
        SDL_SetSurfaceRLE(source, 0);
        SDL_SetSurfaceRLE(source, 1);
        SDL_Rect first = at;
        const double t0 = now();
        SDL_BlitSurface(source, nullptr, screen, &first);  // encodes, then blits
        const double t1 = now();
        SDL_Rect second = at;
        SDL_BlitSurface(source, nullptr, screen, &second);  // blits the runs
        const double t2 = now();
        state.SetIterationTime((t1 - t0) - (t2 - t1));
    }
    if ((source->flags & SDL_RLEACCEL) == 0) state.SkipWithError("SDL did not encode the surface");
    state.SetItemsProcessed(state.iterations() * frame.size * frame.size);
    SDL_FreeSurface(screen);
    SDL_FreeSurface(source);
}
BENCHMARK(BM_SdlRleEncode)->ArgName("size")->Arg(128)->Arg(256)->UseManualTime();

// A 16-sprite ray of 128 x 128 feathered frames, loaded and bound at 640.
void BM_LoadRlsRay(benchmark::State& state) {
    SetPixelMode565();
    std::FILE* file = std::tmpfile();
    RlsRay ray(16);
    for (int i = 0; i < 16; ++i) {
        Frame frame = MakeFrame(128);
        FrameRules rules;
        rules.main = FrameImage{frame.rgb.data(), frame.size, frame.size};
        rules.feather = true;
        const Rect rect = FindFrameBounds(rules);
        auto* sprite = new RLSprite;
        AnchorRLSprite(*sprite, rect, 63, 63);
        EncodeFrame(rules, rect, *sprite);
        ray.Set(i, sprite);
    }
    StoreRlsRay(&ray, nullptr, file);
    const long bytes = std::ftell(file);
    for (auto _ : state) {
        std::rewind(file);
        RlsRay* loaded = LoadRlsRay(nullptr, 640, file);
        benchmark::DoNotOptimize(loaded);
        delete loaded;
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    std::fclose(file);
}
BENCHMARK(BM_LoadRlsRay);

}  // namespace

BENCHMARK_MAIN();
