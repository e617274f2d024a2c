/// @file
/// Rect: the shared rectangle type and its operations. Right and bottom are
/// inclusive, so a rectangle is right - left + 1 pixels wide; one with
/// right < left or bottom < top covers no pixel.
#ifndef VANTREL_RECT_H
#define VANTREL_RECT_H

#include <cstdint>

/// A rectangle of pixels, right and bottom inclusive.
struct Rect {
    int32_t left = 0;    ///< the leftmost column
    int32_t top = 0;     ///< the top row
    int32_t right = 0;   ///< the rightmost column
    int32_t bottom = 0;  ///< the bottom row
};

/// A point as the game passes it: x then y, 16-bit signed each.
struct Point16 {
    int16_t x = 0;  ///< the column
    int16_t y = 0;  ///< the row
};

/// target grows to the smallest rectangle that covers both.
void RectUnion(Rect& target, const Rect& other);
/// 1 when the two share at least one pixel.
int RectsOverlap(const Rect& a, const Rect& b);
/// -1 when a lies inside b (equal rectangles included), 1 when b lies inside a,
/// 0 otherwise.
int RectContainment(const Rect& a, const Rect& b);
/// 1 when left <= x <= right and top <= y <= bottom.
int PointInRect(const Rect& rect, Point16 point);

#endif
