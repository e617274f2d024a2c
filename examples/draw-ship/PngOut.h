// Writing a 16-bit surface as an 8-bit RGB PNG picture.
#ifndef DRAW_SHIP_PNG_OUT_H
#define DRAW_SHIP_PNG_OUT_H

#include <Vantrel/Pixel.h>

// surface: width x height pixels in the active layout, no row padding.
bool WriteSurfacePng(const char* path, const Pixel16* surface, int width, int height);

#endif
