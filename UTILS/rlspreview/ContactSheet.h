// The preview's contact sheet: sprites drawn in cells on the library's
// surface, each through a viewport of its own cell.
//
// Every cell is as large as the largest sprite (plus a margin), at most the
// surface; a row of the sheet holds as many cells as the surface is wide. Each
// sheet row is drawn once per requested mode (plain, holes, translucent,
// additive), the bands one below the other. Cells that would reach below the
// surface are not drawn; they are counted instead. No text is drawn.
#ifndef RLSPREVIEW_CONTACT_SHEET_H
#define RLSPREVIEW_CONTACT_SHEET_H

#include <cstdint>
#include <vector>

#include <Vantrel/Pixel.h>
#include <Vantrel/RLSprite.h>

enum class DrawMode { kPlain, kHoles, kTranslucent, kAdditive };

struct SheetStyle {
    std::vector<DrawMode> modes{DrawMode::kPlain};
    bool checkered = true;
    Pixel16 background = 0;  // the colour when not checkered, active layout
};

// One sheet row per entry; a null sprite leaves its cell empty. Rows longer
// than the surface is wide continue on further rows.
using SheetRows = std::vector<std::vector<const RLSprite*>>;

struct SheetResult {
    int32_t width = 0;  // the part of the surface the sheet uses
    int32_t height = 0;
    int32_t left_out = 0;  // sprites whose cells did not fit
};

// Draws on surface (ScreenWidth() x ScreenHeight()); sprites must be bound to
// the screen width.
SheetResult DrawContactSheet(Pixel16* surface, const SheetRows& rows, const SheetStyle& style);

#endif
