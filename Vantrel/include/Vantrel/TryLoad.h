// Loading that never ends the process (the safe face, namespace vantrel).
#ifndef VANTREL_TRY_LOAD_H
#define VANTREL_TRY_LOAD_H

#include "RLSprite.h"
#include "Rls.h"

namespace vantrel {}  // namespace vantrel

#endif
