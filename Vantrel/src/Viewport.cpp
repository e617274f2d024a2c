#include <Vantrel/Viewport.h>

#include <algorithm>
#include <cstddef>

#include <Vantrel/ScreenGeometry.h>

Viewport* CurrentViewport = nullptr;
Viewport* MainViewport = nullptr;
int32_t ViewportPitch = ProgramScreenWidth;

Rect ClipToScreen(const Rect& rect) {
    return Rect{std::max(rect.left, 0), std::max(rect.top, 0),
                std::min(rect.right, ScreenWidth() - 1), std::min(rect.bottom, ScreenHeight() - 1)};
}

Viewport::Viewport(int32_t left, int32_t top, int32_t right, int32_t bottom, Pixel16* surface)
    : Viewport((ViewportPitch = ScreenWidth(), Rect{left, top, right, bottom}), surface) {}

Viewport::Viewport(const Rect& area, Pixel16* surface) : area(area) {
    SetSurface(surface);
    CurrentViewport = this;
    if (MainViewport == nullptr) MainViewport = this;
}

Viewport::~Viewport() {
    if (MainViewport == this) MainViewport = nullptr;
    if (CurrentViewport == this) CurrentViewport = MainViewport;
}

void Viewport::SetSurface(Pixel16* newSurface) {
    surface = newSurface;
    if (surface == nullptr) {
        firstRow = endRow = nullptr;
        return;
    }
    // Rows are taken inside the surface so that the addresses stay valid.
    const int32_t height = ScreenHeight();
    const int32_t top = std::clamp(area.top, 0, height);
    const int32_t end = area.bottom >= height ? height : std::max(area.bottom + 1, top);
    firstRow = surface + static_cast<ptrdiff_t>(top) * ViewportPitch;
    endRow = surface + static_cast<ptrdiff_t>(end) * ViewportPitch;
}

void ResetViewports() {
    CurrentViewport = nullptr;
    MainViewport = nullptr;
    ViewportPitch = ScreenWidth();
}
