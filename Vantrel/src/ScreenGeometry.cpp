#include <Vantrel/ScreenGeometry.h>

// The program's constants are constant-initialised, so reading them here is
// safe at any time, even from another unit's static initialisation.
int32_t ScreenWidth() {
    return ProgramScreenWidth;
}
int32_t ScreenHeight() {
    return ProgramScreenHeight;
}
int32_t ScreenPitchBytes() {
    return 2 * ProgramScreenWidth;
}
int32_t ScreenSizeBytes() {
    return 2 * ProgramScreenWidth * ProgramScreenHeight;
}

std::atomic<int32_t> spritePitch{ProgramScreenWidth};
