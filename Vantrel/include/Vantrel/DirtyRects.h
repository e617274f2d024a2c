// The dirty-rectangle list: the parts of the screen a game loop repaints.
//
// At most kDirtyRectCapacity entries. A rectangle inside an entry adds
// nothing; entries inside a new rectangle are dropped in its favour; rectangles
// that merely overlap are both kept. When the list is full, the next add
// collapses it to one entry, the whole screen. The game loop reads the entries
// and empties the list with ResetDirtyRects after repainting.
#ifndef VANTREL_DIRTY_RECTS_H
#define VANTREL_DIRTY_RECTS_H

#include <cstdint>

#include "Rect.h"

constexpr int32_t kDirtyRectCapacity = 64;

extern Rect DirtyRects[kDirtyRectCapacity];
extern int32_t DirtyRectCount;

// A null rect adds nothing.
void AddDirtyRect(const Rect* rect);
void ResetDirtyRects();

#endif
