// draw-ship: everything a game does to draw the ships the Vantrel tools make.
//
//   draw-ship [--frames N] [--png OUT.png] SHIP.sh
//
// Loads a ray (.sh) and shows its sprites turning in an SDL2 window, 30 frames
// a second, until Esc, Q or the window is closed (or N frames were shown).
// With --png it opens no window: it draws N frames (default 1) and writes the
// last one as a PNG picture.
//
// What the game supplies and does, in order:
//   1. the screen size, as two constants the library reads before main runs;
//   2. ReportFatal, where every library failure ends;
//   3. the pixel layout of its surfaces, chosen before anything is loaded;
//   4. a surface of exactly the screen size and a main viewport on it;
//   5. loading, which binds every sprite to the surface's pitch;
//   6. the draw calls, each frame (ShipScene.cpp), and showing the surface;
//   7. freeing: the ray owns its sprites and frees them when it is deleted.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <Vantrel/Fatal.h>
#include <Vantrel/Pixel.h>
#include <Vantrel/Rls.h>
#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Viewport.h>

#include "PngOut.h"
#include "ShipScene.h"

// 1. The library's surfaces are this size; constant initialisers, so they are
// set before any of the library's start-up code reads them.
extern const int ProgramScreenWidth = 320;
extern const int ProgramScreenHeight = 240;

// 2. Library failures (a missing or broken file, ...) end here, once; the
// library never continues after calling it.
void ReportFatal(const char* text) {
    std::fprintf(stderr, "draw-ship: %s\n", text != nullptr ? text : "");
    std::exit(1);
}

namespace {

struct Options {
    const char* ship = nullptr;
    const char* png = nullptr;
    int frames = 0;  // 0: until quit (1 with --png)
};

int Usage() {
    std::fprintf(stderr, "usage: draw-ship [--frames N] [--png OUT.png] SHIP.sh\n");
    return 2;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--frames" || arg == "--png") && i + 1 < argc) {
            const char* value = argv[++i];
            if (arg == "--png") {
                options.png = value;
            } else {
                char* end = nullptr;
                options.frames = static_cast<int>(std::strtol(value, &end, 10));
                if (*end != '\0' || options.frames < 1) return false;
            }
        } else if (arg.empty() || arg[0] == '-' || options.ship != nullptr) {
            return false;
        } else {
            options.ship = argv[i];
        }
    }
    return options.ship != nullptr;
}

// 6. Shows the 16-bit surface: SDL converts and scales it into the window.
int RunWindow(std::vector<Pixel16>& surface, const RlsRay& ship, int frames) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "draw-ship: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window =
        SDL_CreateWindow("draw-ship", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         2 * ScreenWidth(), 2 * ScreenHeight(), 0);
    SDL_Surface* view =
        SDL_CreateRGBSurfaceWithFormatFrom(surface.data(), ScreenWidth(), ScreenHeight(), 16,
                                           ScreenPitchBytes(), SDL_PIXELFORMAT_RGB565);
    if (window == nullptr || view == nullptr) {
        std::fprintf(stderr, "draw-ship: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }
    bool running = true;
    for (int frame = 0; running && (frames == 0 || frame < frames); ++frame) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT ||
                (event.type == SDL_KEYDOWN &&
                 (event.key.keysym.sym == SDLK_ESCAPE || event.key.keysym.sym == SDLK_q)))
                running = false;
        }
        DrawShipScene(surface.data(), ship, frame);
        SDL_BlitScaled(view, nullptr, SDL_GetWindowSurface(window), nullptr);
        SDL_UpdateWindowSurface(window);
        SDL_Delay(33);
    }
    SDL_FreeSurface(view);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) return Usage();

    // 3. Sprites are stored as RGB565; loading converts them into the active
    // layout, which must match the surface (SDL_PIXELFORMAT_RGB565 here).
    SelectPixelLayout565();

    // 4. One surface of the screen size, no row padding, and the main
    // viewport covering it: drawing clips to the current viewport.
    std::vector<Pixel16> surface(static_cast<size_t>(ScreenWidth()) * ScreenHeight());
    Viewport screen(0, 0, ScreenWidth() - 1, ScreenHeight() - 1, surface.data());

    // 5. Load and bind to the surface's pitch in one step; a broken file ends
    // in ReportFatal. 7. The unique_ptr frees the ray and its sprites.
    RlsRayPtr ship(LoadRlsRay(options.ship, ScreenWidth()));
    if (ship == nullptr || ship->count == 0) ReportFatal("the ray holds no sprite");

    if (options.png == nullptr) return RunWindow(surface, *ship, options.frames);

    const int frames = options.frames > 0 ? options.frames : 1;
    for (int frame = 0; frame < frames; ++frame) DrawShipScene(surface.data(), *ship, frame);
    if (!WriteSurfacePng(options.png, surface.data(), ScreenWidth(), ScreenHeight())) {
        std::fprintf(stderr, "draw-ship: cannot write %s\n", options.png);
        return 1;
    }
    return 0;
}
