#include "Views.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int32_t kCell = 64;
constexpr int32_t kColumns = 4;
constexpr int32_t kPlaceholderSide = 32;

constexpr vantrel::DrawMode kModes[] = {vantrel::DrawMode::Opaque, vantrel::DrawMode::Holes,
                                        vantrel::DrawMode::Translucent,
                                        vantrel::DrawMode::Additive};

// A colour in the active pixel layout.
Pixel16 Colour(int r, int g, int b) {
    return ConvertFrom565(RgbTo565(r, g, b));
}

// Fills the world rectangle (left, top) .. (right, bottom), inclusive, where
// it lies in the view; nothing outside the canvas's width x height.
template <typename PixelAt>
void Paint(View& view, int32_t left, int32_t top, int32_t right, int32_t bottom, PixelAt colour) {
    const vantrel::Canvas& c = view.canvas;
    const int32_t x0 = std::max(left - view.worldX, 0);
    const int32_t y0 = std::max(top - view.worldY, 0);
    const int32_t x1 = std::min(right - view.worldX, c.width - 1);
    const int32_t y1 = std::min(bottom - view.worldY, c.height - 1);
    for (int32_t y = y0; y <= y1; ++y) {
        for (int32_t x = x0; x <= x1; ++x)
            c.pixels[static_cast<size_t>(y) * c.pitch + x] =
                colour(x + view.worldX, y + view.worldY);
    }
}

}  // namespace

View MakeView(int32_t width, int32_t height, int32_t pitch, int32_t worldX, int32_t worldY,
              bool cycleModes) {
    View view;
    view.pixels.assign(static_cast<size_t>(pitch) * height, 0);
    // holesSeed: the Holes mode's own random numbers, so the game's stay as
    // they are, and the view's holes are the same on every run.
    view.canvas = vantrel::Canvas{view.pixels.data(), width, height, pitch, 7};
    view.worldX = worldX;
    view.worldY = worldY;
    view.cycleModes = cycleModes;
    return view;
}

void DrawView(View& view, const std::vector<Asset>& assets) {
    const Pixel16 dark = Colour(24, 28, 48);
    const Pixel16 light = Colour(40, 48, 80);
    const Pixel16 magenta = Colour(255, 0, 255);
    const Pixel16 black = Colour(0, 0, 0);
    // The cells' background, alternating.
    Paint(view, view.worldX, view.worldY, view.worldX + view.canvas.width - 1,
          view.worldY + view.canvas.height - 1,
          [&](int32_t x, int32_t y) { return (x / kCell + y / kCell) % 2 == 0 ? dark : light; });
    for (int32_t k = 0; k < static_cast<int32_t>(assets.size()); ++k) {
        const int32_t cx = (k % kColumns) * kCell + kCell / 2;
        const int32_t cy = (k / kColumns) * kCell + kCell / 2;
        const RLSprite* sprite = assets[static_cast<size_t>(k)].sprite;
        if (sprite == nullptr) {
            // The asset did not load: a checkered square where it would be.
            const int32_t half = kPlaceholderSide / 2;
            Paint(view, cx - half, cy - half, cx + half - 1, cy + half - 1,
                  [&](int32_t x, int32_t y) { return ((x + y) / 8) % 2 == 0 ? magenta : black; });
            continue;
        }
        const vantrel::DrawMode mode = view.cycleModes ? kModes[k % 4] : vantrel::DrawMode::Opaque;
        // Draw clips to the canvas: a sprite half outside the view is cut,
        // one wholly outside draws nothing.
        vantrel::Draw(view.canvas, cx - view.worldX, cy - view.worldY, sprite, mode);
    }
}

uint32_t ViewChecksum(const View& view) {
    uint32_t hash = 2166136261u;
    for (int32_t y = 0; y < view.canvas.height; ++y) {
        for (int32_t x = 0; x < view.canvas.width; ++x) {
            const Pixel16 p = view.canvas.pixels[static_cast<size_t>(y) * view.canvas.pitch + x];
            hash = (hash ^ (p & 0xFF)) * 16777619u;
            hash = (hash ^ (p >> 8)) * 16777619u;
        }
    }
    return hash;
}

bool WriteViewPpm(const View& view, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    std::fprintf(file, "P6\n%d %d\n255\n", view.canvas.width, view.canvas.height);
    for (int32_t y = 0; y < view.canvas.height; ++y) {
        for (int32_t x = 0; x < view.canvas.width; ++x) {
            int32_t r, g, b;
            // PixelToRgb needs the layout's masks: SelectPixelLayout565 sets them.
            PixelToRgb(view.canvas.pixels[static_cast<size_t>(y) * view.canvas.pitch + x], r, g, b);
            const unsigned char rgb[3] = {static_cast<unsigned char>(r),
                                          static_cast<unsigned char>(g),
                                          static_cast<unsigned char>(b)};
            std::fwrite(rgb, 1, 3, file);
        }
    }
    return std::fclose(file) == 0;
}
