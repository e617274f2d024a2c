// A small fixed-width bitmap font for the preview's labels and captions:
// 5 x 7 pixels a glyph, one blank column between glyphs. Printable ASCII
// only; any other byte is drawn as an open box.
#ifndef RLSPREVIEW_BITMAP_FONT_H
#define RLSPREVIEW_BITMAP_FONT_H

#include <cstdint>
#include <string>

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = kGlyphWidth + 1;

// Whether the glyph of code inks its pixel (x, y), 0 <= x < 5, 0 <= y < 7.
bool GlyphInk(char code, int x, int y);

// Pixels a line of text takes across.
int32_t TextWidth(const std::string& text);

#endif
