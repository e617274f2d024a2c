// The game's two views of its world, each drawn on a canvas of its own.
//
// The world is a grid of cells, four across, 64 pixels square; asset k sits
// in cell k with its sprite's hot spot at the cell's centre, or a
// placeholder (a checkered square) where it did not load. A view is a
// window onto the world: its canvas, where its top-left pixel lies in the
// world, which frame of a ray it shows and the drawing mode of each cell.
#ifndef ROBUST_LOADING_VIEWS_H
#define ROBUST_LOADING_VIEWS_H

#include <cstdint>
#include <string>
#include <vector>

#include <Vantrel/Vantrel.h>

#include "Assets.h"

// A view owns its pixels and its canvas points at them: it may be moved, not
// copied.
struct View {
    View() = default;
    View(View&&) = default;
    View& operator=(View&&) = default;

    std::vector<Pixel16> pixels;  // height rows of canvas.pitch pixels

    vantrel::Canvas canvas;
    int32_t worldX = 0, worldY = 0;
    bool cycleModes = false;  // cell k in mode k mod 4; otherwise all opaque
};

// A view of width x height pixels, rows pitch pixels apart, onto the world
// from (worldX, worldY).
View MakeView(int32_t width, int32_t height, int32_t pitch, int32_t worldX, int32_t worldY,
              bool cycleModes);

// Paints the background and draws every asset. Touches nothing but the view:
// two views may be drawn on two threads at once.
void DrawView(View& view, const std::vector<Asset>& assets);

// FNV-1a over the visible pixels, row by row (the padding left out).
uint32_t ViewChecksum(const View& view);

// Writes the visible pixels as a binary PPM picture; false when it cannot.
bool WriteViewPpm(const View& view, const std::string& path);

#endif
