/// @file
/// Viewports: the part of a surface that drawing may touch.
///
/// A Viewport holds its drawing area (inclusive screen pixels), the surface and
/// the addresses of column 0 of the area's top row (firstRow) and of the row
/// below its bottom row (endRow), both at ViewportPitch pixels per row. The
/// sprite drawing clips to CurrentViewport's area, cut to the surface, so an
/// area reaching outside the surface is safe; firstRow and endRow are computed
/// from that cut area and are null without a surface.
///
/// The first viewport made becomes MainViewport; every new one becomes
/// CurrentViewport. Destroying the main viewport leaves no main viewport;
/// destroying the current one makes the main one current again (none when it
/// was the main one). Viewports are neither copied nor moved: the two globals
/// point at them.
#ifndef VANTREL_VIEWPORT_H
#define VANTREL_VIEWPORT_H

#include <cstdint>

#include "Pixel.h"
#include "Rect.h"

/// The part of a surface that drawing may touch (see the file's description).
class Viewport {
public:
    /// The area from (left, top) to (right, bottom), inclusive, of surface; it
    /// becomes the current viewport (and the main one if there is none). Sets
    /// ViewportPitch to the screen width first.
    Viewport(int32_t left, int32_t top, int32_t right, int32_t bottom, Pixel16* surface);
    /// The area of surface, at the ViewportPitch that stands; it becomes the
    /// current viewport (and the main one if there is none).
    Viewport(const Rect& area, Pixel16* surface);
    /// Leaves the globals as the file's description says.
    ~Viewport();
    Viewport(const Viewport&) = delete;
    Viewport& operator=(const Viewport&) = delete;

    /// Stores surface and recomputes firstRow and endRow with ViewportPitch.
    void SetSurface(Pixel16* surface);

    Rect area;                    ///< the drawing area, inclusive screen pixels
    Pixel16* surface = nullptr;   ///< the surface drawn on
    Pixel16* firstRow = nullptr;  ///< column 0 of the area's top row, cut to the surface
    Pixel16* endRow = nullptr;    ///< column 0 of the row below the area, cut to the surface
};

/// The viewport drawing clips to; null when there is none.
extern Viewport* CurrentViewport;
/// The first viewport made; null when there is none.
extern Viewport* MainViewport;

/// Row pitch of viewport surfaces in pixels; starts at the screen width.
extern int32_t ViewportPitch;

/// rect cut to the surface, 0..width-1 x 0..height-1 (possibly empty).
Rect ClipToScreen(const Rect& rect);

/// No current or main viewport, pitch back to the screen width (tests).
void ResetViewports();

#endif
