// The preview's contact sheet: sprites drawn in labelled cells on the
// library's surface, each through a viewport of its own cell.
//
// From the top: the captions (a family's texts), then one band per requested
// mode (plain, holes, translucent, additive), each under a header naming it.
// In a band every sheet row may carry a label (a family's "slot K, ray R")
// and every cell carries its sprite's index above a square as large as the
// largest sprite plus a margin. The translucent and additive bands are drawn
// over dark checkers, where their effect shows, whatever the plain
// background. Cells that would reach below the surface
// are not drawn; they are counted instead.
#ifndef RLSPREVIEW_CONTACT_SHEET_H
#define RLSPREVIEW_CONTACT_SHEET_H

#include <cstdint>
#include <string>
#include <vector>

#include <Vantrel/Pixel.h>
#include <Vantrel/RLSprite.h>
#include <Vantrel/Rect.h>

enum class DrawMode { kPlain, kHoles, kTranslucent, kAdditive };

struct SheetStyle {
    std::vector<DrawMode> modes{DrawMode::kPlain};
    bool checkered = true;
    Pixel16 background = 0;  // the plain bands' colour when not checkered, active layout
    bool hotSpot = false;    // a cross at each sprite's hot spot
    bool bounds = false;     // a box just outside each sprite's bounds
};

// One sheet row per entry, with its label (empty: none); a null sprite
// leaves its cell empty. Rows longer than the surface is wide continue on
// further rows.
struct SheetRow {
    std::string label;
    std::vector<const RLSprite*> sprites;
};
struct SheetContent {
    std::vector<std::string> captions;
    std::vector<SheetRow> rows;
};

struct PlacedSprite {
    const RLSprite* sprite = nullptr;
    int32_t index = 0;  // in its row
    DrawMode mode = DrawMode::kPlain;
    Rect cell;                   // the square the sprite is drawn in
    int32_t hotX = 0, hotY = 0;  // where its hot spot lands on the surface
};

struct SheetResult {
    int32_t width = 0;  // the part of the surface the sheet uses
    int32_t height = 0;
    int32_t left_out = 0;  // sprites whose cells did not fit
    std::vector<PlacedSprite> placed;
};

// Draws on surface (ScreenWidth() x ScreenHeight()); sprites must be bound to
// the screen width.
SheetResult DrawContactSheet(Pixel16* surface, const SheetContent& content,
                             const SheetStyle& style);

// Draws sprite with its hot spot at (x, y) in mode, through the current
// viewport.
void DrawSpriteInMode(Pixel16* surface, int32_t x, int32_t y, const RLSprite* sprite,
                      DrawMode mode);

// The band header's text of a mode.
const char* DrawModeName(DrawMode mode);

#endif
