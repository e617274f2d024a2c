#include <Vantrel/Surface16.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Viewport.h>

void FillRun16(Pixel16* destination, Pixel16 colour, int32_t n) {
    if (n <= 0) return;
    if (n == 1) {
        *destination = colour;
        return;
    }
    const uint32_t doubled = colour | (static_cast<uint32_t>(colour) << 16);
    unsigned char* out = reinterpret_cast<unsigned char*>(destination);
    for (int32_t i = 0; i < n / 2; ++i, out += 4) std::memcpy(out, &doubled, 4);
    if (n % 2 != 0) std::memcpy(out, &colour, 2);
}

void FillRect16(Pixel16* surface, int32_t left, int32_t top, int32_t right, int32_t bottom,
                Pixel16 colour) {
    if (surface == nullptr) return;
    const Rect r = ClipToScreen(Rect{left, top, right, bottom});
    if (r.right < r.left) return;
    const ptrdiff_t width = ScreenWidth();
    for (int32_t row = r.top; row <= r.bottom; ++row)
        FillRun16(surface + row * width + r.left, colour, r.right - r.left + 1);
}

void FillRect16(Pixel16* surface, const Rect& rect, Pixel16 colour) {
    FillRect16(surface, rect.left, rect.top, rect.right, rect.bottom, colour);
}

void CopyRect16(Pixel16* destination, const Pixel16* source, int32_t left, int32_t top,
                int32_t right, int32_t bottom) {
    if (destination == nullptr || source == nullptr) return;
    const Rect r = ClipToScreen(Rect{left, top, right, bottom});
    if (r.right < r.left) return;
    const ptrdiff_t width = ScreenWidth();
    const size_t rowBytes = static_cast<size_t>(r.right - r.left + 1) * sizeof(Pixel16);
    for (int32_t row = r.top; row <= r.bottom; ++row) {
        const ptrdiff_t at = row * width + r.left;
        std::memmove(destination + at, source + at, rowBytes);
    }
}

void CopyRect16(Pixel16* destination, const Pixel16* source, const Rect& rect) {
    CopyRect16(destination, source, rect.left, rect.top, rect.right, rect.bottom);
}

void ScrollCopy512(Pixel16* destination, const Pixel16* background, int32_t x, int32_t y) {
    if (CurrentViewport == nullptr || destination == nullptr || background == nullptr) return;
    const Rect area = ClipToScreen(CurrentViewport->area);
    if (area.right < area.left || area.bottom < area.top) return;
    constexpr int32_t size = kScrollBackgroundSize;
    const int32_t width = area.right - area.left + 1;
    const int32_t startColumn = ((x % size) + size) % size;
    int32_t backgroundRow = ((y % size) + size) % size;
    const ptrdiff_t pitch = ScreenWidth();
    for (int32_t row = area.top; row <= area.bottom; ++row) {
        Pixel16* out = destination + row * pitch + area.left;
        const Pixel16* line = background + static_cast<ptrdiff_t>(backgroundRow) * size;
        // The tail of the background row from startColumn, then whole rows
        // from column 0 as often as the width needs.
        int32_t column = startColumn;
        int32_t left = width;
        while (left > 0) {
            const int32_t count = std::min(left, size - column);
            std::memcpy(out, line + column, static_cast<size_t>(count) * sizeof(Pixel16));
            out += count;
            left -= count;
            column = 0;
        }
        backgroundRow = (backgroundRow + 1) % size;
    }
}
