#include "ContactSheet.h"

#include <algorithm>

#include <Vantrel/RLSpriteDraw.h>
#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Viewport.h>

#include "BitmapFont.h"
#include "SheetPaint.h"

namespace {

constexpr int32_t kMargin = 2;  // around a sprite in its cell
constexpr int32_t kSmallestCell = 8;
constexpr int32_t kPad = 3;                             // around text
constexpr int32_t kLine = kGlyphHeight + 2 * kPad - 1;  // a strip of one line of text
constexpr Pixel16 kFrame = 0x2124;                      // the sheet between cells, dark grey
constexpr Pixel16 kLabelInk = 0xE71C;                   // light grey
constexpr Pixel16 kHeaderInk = 0xFF00;                  // warm yellow
constexpr Pixel16 kCaptionInk = 0xFFFF;                 // white

int32_t SpriteSquare(const SheetContent& content) {
    int64_t largest = 0;
    for (const SheetRow& row : content.rows)
        for (const RLSprite* s : row.sprites) {
            if (s == nullptr) continue;
            largest = std::max<int64_t>(largest, int64_t{s->bounds.right} - s->bounds.left + 1);
            largest = std::max<int64_t>(largest, int64_t{s->bounds.bottom} - s->bounds.top + 1);
        }
    const int64_t cell = std::max<int64_t>(largest + 2 * kMargin, kSmallestCell);
    return static_cast<int32_t>(std::min<int64_t>(cell, std::min(ScreenWidth(), ScreenHeight())));
}

Backdrop BandBackdrop(DrawMode mode, const SheetStyle& style) {
    // A quarter of the sprite over three quarters of the background, or the
    // sprite added to it: both show best over a dark background.
    if (mode == DrawMode::kTranslucent || mode == DrawMode::kAdditive)
        return Backdrop::kDarkCheckers;
    return style.checkered ? Backdrop::kCheckers : Backdrop::kPlain;
}

int32_t Hold(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// A line of text to paint once the sheet's size is known.
struct Label {
    int32_t x, y;
    std::string text;
    Pixel16 ink;
};

}  // namespace

void DrawSpriteInMode(Pixel16* surface, int32_t x, int32_t y, const RLSprite* sprite,
                      DrawMode mode) {
    switch (mode) {
        case DrawMode::kPlain:
            DrawRLSprite(surface, x, y, sprite, false);
            break;
        case DrawMode::kHoles:
            DrawRLSprite(surface, x, y, sprite, true);
            break;
        case DrawMode::kTranslucent:
            DrawRLSpriteBlend(surface, x, y, sprite, false);
            break;
        case DrawMode::kAdditive:
            DrawRLSpriteBlend(surface, x, y, sprite, true);
            break;
    }
}

const char* DrawModeName(DrawMode mode) {
    switch (mode) {
        case DrawMode::kPlain:
            return "plain";
        case DrawMode::kHoles:
            return "holes";
        case DrawMode::kTranslucent:
            return "translucent";
        case DrawMode::kAdditive:
            return "additive";
    }
    return "";
}

SheetResult DrawContactSheet(Pixel16* surface, const SheetContent& content,
                             const SheetStyle& style) {
    SheetResult result;
    const int32_t square = SpriteSquare(content);
    size_t longestRow = 1;
    for (const SheetRow& row : content.rows) longestRow = std::max(longestRow, row.sprites.size());
    const int32_t cellWide = std::min(
        ScreenWidth(), std::max(square, TextWidth(std::to_string(longestRow - 1)) + 2 * kPad));
    const int32_t cellHigh = kLine + square;
    const int32_t columns = std::max(1, ScreenWidth() / cellWide);

    std::vector<Label> labels;
    std::vector<Rect> squares;  // with their band's backdrop
    std::vector<Backdrop> backdrops;
    int32_t wide = cellWide;
    int32_t y = 0;
    const auto line = [&](const std::string& text, Pixel16 ink) {
        if (y + kLine > ScreenHeight()) return;
        labels.push_back({kPad, y + kPad, text, ink});
        wide = std::max(wide, TextWidth(text) + 2 * kPad);
        y += kLine;
    };
    for (const std::string& caption : content.captions) line(caption, kCaptionInk);
    for (DrawMode mode : style.modes) {
        line(DrawModeName(mode), kHeaderInk);
        for (const SheetRow& row : content.rows) {
            if (!row.label.empty()) line(row.label, kLabelInk);
            const int32_t count = static_cast<int32_t>(row.sprites.size());
            for (int32_t first = 0; first == 0 || first < count; first += columns) {
                const int32_t inRow = std::min(columns, count - first);
                const bool fits = y + cellHigh <= ScreenHeight();
                for (int32_t i = 0; i < inRow; ++i) {
                    const RLSprite* sprite = row.sprites[first + i];
                    if (!fits) {
                        result.left_out += sprite != nullptr;
                        continue;
                    }
                    const int32_t left = i * cellWide;
                    labels.push_back({left + kPad, y + kPad, std::to_string(first + i), kLabelInk});
                    const Rect cell{left, y + kLine, left + cellWide - 1, y + cellHigh - 1};
                    squares.push_back(cell);
                    backdrops.push_back(BandBackdrop(mode, style));
                    if (sprite == nullptr) continue;
                    result.placed.push_back(
                        {sprite, first + i, mode, cell,
                         Hold(int64_t{cell.left} + kMargin - sprite->bounds.left),
                         Hold(int64_t{cell.top} + kMargin - sprite->bounds.top)});
                }
                wide = std::max(wide, std::max(inRow, 1) * cellWide);
                if (fits) y += cellHigh;
            }
        }
    }
    result.width = std::min(wide, ScreenWidth());
    result.height = std::max(y, 1);
    const Rect sheet{0, 0, result.width - 1, result.height - 1};
    PaintBackdrop(surface, sheet, Backdrop::kPlain, ConvertFrom565(kFrame));
    for (size_t i = 0; i < squares.size(); ++i)
        PaintBackdrop(surface, squares[i], backdrops[i], style.background);
    for (const Label& label : labels)
        PaintText(surface, label.x, label.y, label.text, label.ink, sheet);
    for (const PlacedSprite& p : result.placed) {
        {
            Viewport view(p.cell, surface);
            DrawSpriteInMode(surface, p.hotX, p.hotY, p.sprite, p.mode);
        }
        if (style.bounds) PaintBoundsBox(surface, p.hotX, p.hotY, *p.sprite, p.cell);
        if (style.hotSpot) PaintHotSpotCross(surface, p.hotX, p.hotY, p.cell);
    }
    return result;
}
