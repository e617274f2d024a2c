// Drawing onto a canvas of any size and pitch (the safe face, namespace vantrel).
#ifndef VANTREL_CANVAS_H
#define VANTREL_CANVAS_H

#include "Pixel.h"
#include "RLSprite.h"
#include "Rect.h"

namespace vantrel {}  // namespace vantrel

#endif
