/// @file
/// The library's safe face for games: everything a game needs, in one include.
///
///     #include <Vantrel/Vantrel.h>
///
/// The safe face (namespace vantrel) never ends the process and reads or writes
/// no process-wide state but the pixel layout and the blend tables:
/// - loading (TryLoad.h): rays, families and sprites from a path, bytes in
///   memory or the game's own reader; a failure returns null and a LoadError;
/// - drawing (Canvas.h): a sprite onto a Canvas of any size and pitch, in one
///   of four modes, clipped to the canvas.
/// The classic face (the headers it includes, with ReportFatal, the current
/// viewport and one surface size for the whole program) stays as it is beside
/// it; both share the same decoders and the same drawing paths.
#ifndef VANTREL_VANTREL_H
#define VANTREL_VANTREL_H

#include "Canvas.h"
#include "TryLoad.h"

#endif
