// Draws every sprite of a ray made from arbitrary bytes, bound to the surface,
// at positions and through a viewport the input chooses, in all four modes,
// onto a surface with guard zones on both sides. Any change outside the clip
// rectangle (cut to the surface) or in a guard zone aborts.
//
// Then the same on a canvas whose shape the input chooses, the ray bound to
// its pitch: any change in the guard rows around it or in the padding of its
// rows aborts. Where the canvas has the surface's pitch, the classic calls
// draw the same through a viewport of the canvas's rectangle, and any
// difference aborts too.
//
// Input: 16 bytes of parameters (little-endian int16 each: the viewport's
// left, top, right, bottom, then two hot-spot positions x, y), then the .sh
// stream. The canvas's shape comes from the input's last 6 bytes (which the
// stream also reads): uint16 width and height taken modulo 800 and 600 plus
// one, then padding 0..31 pixels a row, then a byte whose bit 0 asks for the
// surface's pitch (the width and height then held to the surface's).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <Vantrel/Canvas.h>
#include <Vantrel/RLSpriteDraw.h>
#include <Vantrel/Random.h>
#include <Vantrel/Rls.h>
#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Viewport.h>
#include "support/TestFatal.h"
#include "FuzzStream.h"

namespace {

constexpr size_t kParameterBytes = 16;
constexpr size_t kGuardPixels = 4096;
constexpr Pixel16 kGuard = 0xA55A;

int32_t Int16At(const uint8_t* p) {
    return static_cast<int16_t>(p[0] | (p[1] << 8));
}

Pixel16 Pattern(size_t i) {
    return static_cast<Pixel16>(i * 2654435761u >> 7);
}

struct CanvasShape {
    int32_t width, height, pitch;
};

CanvasShape ShapeOf(const uint8_t* p) {
    CanvasShape shape;
    shape.width = 1 + (p[0] | (p[1] << 8)) % 800;
    shape.height = 1 + (p[2] | (p[3] << 8)) % 600;
    shape.pitch = shape.width + p[4] % 32;
    if ((p[5] & 1) != 0) {
        shape.pitch = ScreenWidth();
        shape.width = std::min(shape.width, ScreenWidth());
        shape.height = std::min(shape.height, ScreenHeight());
    }
    return shape;
}

constexpr vantrel::DrawMode kModes[] = {vantrel::DrawMode::Opaque, vantrel::DrawMode::Holes,
                                        vantrel::DrawMode::Translucent,
                                        vantrel::DrawMode::Additive};

// The classic call of a canvas mode.
void DrawClassic(Pixel16* surface, int32_t x, int32_t y, const RLSprite* sprite,
                 vantrel::DrawMode mode) {
    if (mode == vantrel::DrawMode::Opaque || mode == vantrel::DrawMode::Holes)
        DrawRLSprite(surface, x, y, sprite, mode == vantrel::DrawMode::Holes);
    else
        DrawRLSpriteBlend(surface, x, y, sprite, mode == vantrel::DrawMode::Additive);
}

// The canvas part of one input (see the top of the file).
void DrawOnCanvas(const uint8_t* data, size_t size, const int32_t (&places)[2][2]) {
    if (size < kParameterBytes + 6) return;
    const CanvasShape shape = ShapeOf(data + size - 6);
    FuzzStream stream = StreamOfInput(data + kParameterBytes, size - kParameterBytes);
    if (!stream) return;
    const size_t guard = static_cast<size_t>(shape.pitch) * 2;
    const size_t pixels = static_cast<size_t>(shape.pitch) * shape.height;
    std::vector<Pixel16> memory(pixels + 2 * guard);
    for (size_t i = 0; i < memory.size(); ++i) memory[i] = Pattern(i);
    const std::vector<Pixel16> pristine = memory;
    vantrel::Canvas canvas{memory.data() + guard, shape.width, shape.height, shape.pitch, 7};
    // The classic draw where the shapes agree, on a surface that starts as
    // the canvas's rows.
    const bool compare = shape.pitch == ScreenWidth();
    std::vector<Pixel16> classic;
    if (compare) {
        classic.assign(static_cast<size_t>(ScreenWidth()) * ScreenHeight(), 0);
        std::copy(pristine.begin() + static_cast<ptrdiff_t>(guard),
                  pristine.begin() + static_cast<ptrdiff_t>(guard + pixels), classic.begin());
    }
    SetRandomSeed(7);
    try {
        RlsRayPtr ray(LoadRlsRay(nullptr, shape.pitch, stream.get()));
        Viewport view(Rect{0, 0, shape.width - 1, shape.height - 1},
                      compare ? classic.data() : nullptr);
        for (int32_t i = 0; i < ray->count; ++i) {
            const RLSprite* sprite = ray->Get(i);
            for (const auto& place : places) {
                for (vantrel::DrawMode mode : kModes) {
                    vantrel::Draw(canvas, place[0], place[1], sprite, mode);
                    if (compare) DrawClassic(classic.data(), place[0], place[1], sprite, mode);
                }
            }
        }
    } catch (const FatalError&) {
    }
    ResetViewports();
    if (compare && (canvas.holesSeed != RandomSeed() ||
                    !std::equal(classic.begin(), classic.begin() + static_cast<ptrdiff_t>(pixels),
                                memory.begin() + static_cast<ptrdiff_t>(guard))))
        std::abort();
    // Nothing outside the canvas's width x height: the guard rows, each row's
    // padding.
    for (size_t i = 0; i < memory.size(); ++i) {
        const bool inCanvas =
            i >= guard && i < guard + pixels &&
            (i - guard) % static_cast<size_t>(shape.pitch) < static_cast<size_t>(shape.width);
        if (!inCanvas && memory[i] != pristine[i]) std::abort();
    }
}

}  // namespace

// The surface between its guard zones and an untouched copy to compare with,
// made once: a run only has to restore the rows it may have changed.
struct GuardedSurface {
    size_t pixels = static_cast<size_t>(ScreenWidth()) * ScreenHeight();
    std::vector<Pixel16> memory = std::vector<Pixel16>(pixels + 2 * kGuardPixels, kGuard);
    std::vector<Pixel16> pristine = std::vector<Pixel16>(pixels);
    Pixel16* surface = memory.data() + kGuardPixels;
    GuardedSurface() {
        for (size_t i = 0; i < pixels; ++i) pristine[i] = surface[i] = Pattern(i);
    }
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kParameterBytes) return 0;
    FuzzStream stream = StreamOfInput(data + kParameterBytes, size - kParameterBytes);
    if (!stream) return 0;

    static GuardedSurface guarded;
    Pixel16* surface = guarded.surface;
    const int32_t width = ScreenWidth(), height = ScreenHeight();
    SelectProgramPixelMode();
    SetRandomSeed(1963);
    const Rect area{Int16At(data), Int16At(data + 2), Int16At(data + 4), Int16At(data + 6)};
    const int32_t places[2][2] = {{Int16At(data + 8), Int16At(data + 10)},
                                  {Int16At(data + 12), Int16At(data + 14)}};
    try {
        RlsRayPtr ray(LoadRlsRay(nullptr, width, stream.get()));
        Viewport view(area, surface);
        for (int32_t i = 0; i < ray->count; ++i) {
            const RLSprite* sprite = ray->Get(i);
            for (const auto& place : places) {
                DrawRLSprite(surface, place[0], place[1], sprite, false);
                DrawRLSprite(surface, place[0], place[1], sprite, true);
                DrawRLSpriteBlend(surface, place[0], place[1], sprite, false);
                DrawRLSpriteBlend(surface, place[0], place[1], sprite, true);
            }
        }
    } catch (const FatalError&) {
    }
    ResetViewports();

    const std::vector<Pixel16>& memory = guarded.memory;
    for (size_t i = 0; i < kGuardPixels; ++i)
        if (memory[i] != kGuard || memory[kGuardPixels + guarded.pixels + i] != kGuard)
            std::abort();
    // Every pixel outside the clip must be as it was; the clip's rows are then
    // put back for the next run.
    const Rect clip = ClipToScreen(area);
    for (int32_t y = 0; y < height; ++y) {
        const size_t row = static_cast<size_t>(y) * width;
        const bool clipRow = y >= clip.top && y <= clip.bottom && clip.left <= clip.right;
        const size_t from = clipRow ? static_cast<size_t>(clip.left) : width;
        const size_t to = clipRow ? static_cast<size_t>(clip.right) + 1 : width;
        if (std::memcmp(surface + row, &guarded.pristine[row], from * 2) != 0 ||
            std::memcmp(surface + row + to, &guarded.pristine[row + to], (width - to) * 2) != 0)
            std::abort();
        if (clipRow)
            std::memcpy(surface + row + from, &guarded.pristine[row + from], (to - from) * 2);
    }
    DrawOnCanvas(data, size, places);
    return 0;
}
