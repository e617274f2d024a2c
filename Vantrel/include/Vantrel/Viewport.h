// Viewports: the part of a surface that drawing may touch.
//
// A Viewport holds its drawing area (inclusive screen pixels), the surface and
// the addresses of column 0 of the area's top row (firstRow) and of the row
// below its bottom row (endRow), both at ViewportPitch pixels per row. The
// sprite drawing clips to CurrentViewport's area, cut to the surface, so an
// area reaching outside the surface is safe; firstRow and endRow are computed
// from that cut area and are null without a surface.
//
// The first viewport made becomes MainViewport; every new one becomes
// CurrentViewport. Destroying the main viewport leaves no main viewport;
// destroying the current one makes the main one current again (none when it
// was the main one). Viewports are neither copied nor moved: the two globals
// point at them.
#ifndef VANTREL_VIEWPORT_H
#define VANTREL_VIEWPORT_H

#include <cstdint>

#include "Pixel.h"
#include "Rect.h"

class Viewport {
public:
    // Sets ViewportPitch to the screen width first.
    Viewport(int32_t left, int32_t top, int32_t right, int32_t bottom, Pixel16* surface);
    Viewport(const Rect& area, Pixel16* surface);
    ~Viewport();
    Viewport(const Viewport&) = delete;
    Viewport& operator=(const Viewport&) = delete;

    // Stores surface and recomputes firstRow and endRow with ViewportPitch.
    void SetSurface(Pixel16* surface);

    Rect area;
    Pixel16* surface = nullptr;
    Pixel16* firstRow = nullptr;
    Pixel16* endRow = nullptr;
};

extern Viewport* CurrentViewport;
extern Viewport* MainViewport;
// Row pitch of viewport surfaces in pixels; starts at the screen width.
extern int32_t ViewportPitch;

// rect cut to the surface, 0..width-1 x 0..height-1 (possibly empty).
Rect ClipToScreen(const Rect& rect);

// No current or main viewport, pitch back to the screen width (tests).
void ResetViewports();

#endif
