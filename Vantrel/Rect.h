// Rect: the shared rectangle type. Right and bottom are inclusive, so a
// rectangle is right - left + 1 pixels wide.
#ifndef VANTREL_RECT_H
#define VANTREL_RECT_H

#include <cstdint>

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

#endif
