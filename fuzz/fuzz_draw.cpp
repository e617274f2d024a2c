// Draws every sprite of a ray made from arbitrary bytes, bound to the surface,
// at positions and through a viewport the input chooses, in all four modes,
// onto a surface with guard zones on both sides. Any change outside the clip
// rectangle (cut to the surface) or in a guard zone aborts.
//
// Input: 16 bytes of parameters (little-endian int16 each: the viewport's
// left, top, right, bottom, then two hot-spot positions x, y), then the .sh
// stream.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

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
    return 0;
}
