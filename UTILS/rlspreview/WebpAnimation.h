// Animated WebP files through libwebp, written with its animation encoder:
// lossless, looping forever. A failure is returned, not reported.
#ifndef RLSPREVIEW_WEBP_ANIMATION_H
#define RLSPREVIEW_WEBP_ANIMATION_H

#include <string>
#include <vector>

#include "RgbPicture.h"

// frames: all of one size; each shown 1000 / fps milliseconds.
bool WriteAnimatedWebp(const std::string& path, const std::vector<RgbPicture>& frames, int fps);

#endif
