#include "ContactSheet.h"

#include <algorithm>

#include <Vantrel/RLSpriteDraw.h>
#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Surface16.h>
#include <Vantrel/Viewport.h>

namespace {

constexpr int32_t kMargin = 2;
constexpr int32_t kSmallestCell = 8;
constexpr int32_t kChecker = 8;
constexpr Pixel16 kCheckerDark = 0x8410;   // RGB565 grey 128
constexpr Pixel16 kCheckerLight = 0xC618;  // RGB565 grey 192

int32_t CellSize(const SheetRows& rows) {
    int64_t largest = 0;
    for (const auto& row : rows)
        for (const RLSprite* s : row) {
            if (s == nullptr) continue;
            largest = std::max<int64_t>(largest, int64_t{s->bounds.right} - s->bounds.left + 1);
            largest = std::max<int64_t>(largest, int64_t{s->bounds.bottom} - s->bounds.top + 1);
        }
    const int64_t cell = std::max<int64_t>(largest + 2 * kMargin, kSmallestCell);
    return static_cast<int32_t>(std::min<int64_t>(cell, std::min(ScreenWidth(), ScreenHeight())));
}

void PaintBackground(Pixel16* surface, const Rect& area, const SheetStyle& style) {
    if (!style.checkered) {
        FillRect16(surface, area, style.background);
        return;
    }
    for (int32_t y = area.top; y <= area.bottom; ++y)
        for (int32_t x = area.left; x <= area.right; ++x)
            surface[static_cast<size_t>(y) * ScreenWidth() + x] =
                ((x / kChecker + y / kChecker) % 2 == 0) ? ConvertFrom565(kCheckerLight)
                                                         : ConvertFrom565(kCheckerDark);
}

void DrawInCell(Pixel16* surface, const RLSprite& sprite, const Rect& cell, DrawMode mode) {
    Viewport view(cell, surface);
    const int64_t x = int64_t{cell.left} + kMargin - sprite.bounds.left;
    const int64_t y = int64_t{cell.top} + kMargin - sprite.bounds.top;
    const auto hold = [](int64_t v) {
        return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    switch (mode) {
        case DrawMode::kPlain:
            DrawRLSprite(surface, hold(x), hold(y), &sprite, false);
            break;
        case DrawMode::kHoles:
            DrawRLSprite(surface, hold(x), hold(y), &sprite, true);
            break;
        case DrawMode::kTranslucent:
            DrawRLSpriteBlend(surface, hold(x), hold(y), &sprite, false);
            break;
        case DrawMode::kAdditive:
            DrawRLSpriteBlend(surface, hold(x), hold(y), &sprite, true);
            break;
    }
}

}  // namespace

SheetResult DrawContactSheet(Pixel16* surface, const SheetRows& rows, const SheetStyle& style) {
    struct Placed {
        const RLSprite* sprite;
        Rect cell;
        DrawMode mode;
    };
    SheetResult result;
    const int32_t cell = CellSize(rows);
    const int32_t columns = std::max(1, ScreenWidth() / cell);
    const int32_t rowsHigh = ScreenHeight() / cell;
    std::vector<Placed> placed;
    int32_t sheetRow = 0;
    int32_t widest = 0;
    for (DrawMode mode : style.modes) {
        for (const auto& row : rows) {
            const int32_t count = static_cast<int32_t>(row.size());
            for (int32_t first = 0; first == 0 || first < count; first += columns, ++sheetRow) {
                const int32_t inRow = std::min(columns, count - first);
                widest = std::max(widest, inRow);
                for (int32_t i = 0; i < inRow; ++i) {
                    const RLSprite* sprite = row[first + i];
                    if (sprite == nullptr) continue;
                    if (sheetRow >= rowsHigh) {
                        ++result.left_out;
                        continue;
                    }
                    const Rect area{i * cell, sheetRow * cell, i * cell + cell - 1,
                                    sheetRow * cell + cell - 1};
                    placed.push_back({sprite, area, mode});
                }
            }
        }
    }
    result.width = std::max(widest, 1) * cell;
    result.height = std::max(std::min(sheetRow, rowsHigh), 1) * cell;
    PaintBackground(surface, Rect{0, 0, result.width - 1, result.height - 1}, style);
    for (const Placed& p : placed) DrawInCell(surface, *p.sprite, p.cell, p.mode);
    return result;
}
