/// @file
/// The dirty-rectangle list: the parts of the screen a game loop repaints.
///
/// At most kDirtyRectCapacity entries. A rectangle inside an entry adds
/// nothing; entries inside a new rectangle are dropped in its favour; rectangles
/// that merely overlap are both kept. When the list is full, the next add
/// collapses it to one entry, the whole screen. The game loop reads the entries
/// and empties the list with ResetDirtyRects after repainting.
#ifndef VANTREL_DIRTY_RECTS_H
#define VANTREL_DIRTY_RECTS_H

#include <cstdint>

#include "Rect.h"

/// The entries the list holds before it collapses to the whole screen.
constexpr int32_t kDirtyRectCapacity = 64;

/// The entries, DirtyRectCount of them from the first.
extern Rect DirtyRects[kDirtyRectCapacity];
/// How many entries DirtyRects holds.
extern int32_t DirtyRectCount;

/// Adds rect as the rules above say; a null rect adds nothing.
void AddDirtyRect(const Rect* rect);
/// Empties the list.
void ResetDirtyRects();

#endif
