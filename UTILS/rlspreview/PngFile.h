// Writes and reads RGB pictures as PNG files through libpng's simplified
// interface. Failures are returned, not reported.
#ifndef RLSPREVIEW_PNG_FILE_H
#define RLSPREVIEW_PNG_FILE_H

#include <string>

#include "RgbPicture.h"

bool WritePng(const std::string& path, const RgbPicture& picture);
bool ReadPng(const std::string& path, RgbPicture& picture);

#endif
