// Screen geometry shared by the library and the linking program.
//
// Each program defines the two constants below (the tools: their window's
// client size; tests: whatever surface they draw on). They must be defined with
// a constant initialiser, e.g.
//     extern const int ProgramScreenWidth = 350;
// so that they are set before any dynamic initialisation of the library reads
// them.
//
// From them the library derives, before the program's own start-up code runs,
// the surface every drawing routine assumes: ScreenWidth() x ScreenHeight()
// 16-bit pixels, rows top to bottom, no padding, ScreenPitchBytes() bytes per
// row. spritePitch, the pitch of the last sprite binding, starts at the screen
// width so that sprites bound before any explicit binding match the surface.
#ifndef VANTREL_SCREEN_GEOMETRY_H
#define VANTREL_SCREEN_GEOMETRY_H

#include <atomic>
#include <cstdint>

extern const int ProgramScreenWidth;
extern const int ProgramScreenHeight;

// Surface width and height in pixels.
int32_t ScreenWidth();
int32_t ScreenHeight();
// Bytes per surface row (2 x width) and bytes per surface (2 x width x height).
int32_t ScreenPitchBytes();
int32_t ScreenSizeBytes();
// The pitch in pixels of the last sprite binding; starts at the screen width.
// Atomic, as loaders on worker threads bind sprites meanwhile. Drawing does
// not read it: it goes by each sprite's own boundPitch.
extern std::atomic<int32_t> spritePitch;

#endif
