// Animated WebP files read back with libwebp's demuxer, for the tests alone:
// the programs only write them, so they need no decoder.
#ifndef TESTS_PREVIEW_WEBP_READ_H
#define TESTS_PREVIEW_WEBP_READ_H

#include <string>
#include <vector>

#include "RgbPicture.h"

// Every frame as the full canvas, with the time (milliseconds) at which it
// ends. A failure is returned, not reported.
bool ReadAnimatedWebp(const std::string& path, std::vector<RgbPicture>& frames,
                      std::vector<int>& endTimes);

#endif
