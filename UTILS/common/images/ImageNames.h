// What an image's name says about how the tools read it: a name ending in
// ".png", in any case, is read as PNG; every other name as TGA.
#ifndef UTILS_COMMON_IMAGES_IMAGE_NAMES_H
#define UTILS_COMMON_IMAGES_IMAGE_NAMES_H

#include <string>

// Whether the name ends in ".png", in any case.
bool HasPngName(const std::string& path);

#endif
