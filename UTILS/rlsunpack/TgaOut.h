// Writes 24-bit uncompressed TGA pictures in the one form every reader of
// the tool chain accepts: no identification field, no colour map, origin
// 0,0, top row first.
#ifndef RLSUNPACK_TGA_OUT_H
#define RLSUNPACK_TGA_OUT_H

#include <string>

#include "RayPictures.h"

// False when the file cannot be written or the picture is larger than a TGA
// can say (65535 pixels a side).
bool WriteTga24(const std::string& path, const Picture& picture);

#endif
