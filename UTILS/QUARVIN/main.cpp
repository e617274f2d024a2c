// Quarvin: converts a ship's 16 rotation frames into one .sh file.
#include <Vantrel/ScreenGeometry.h>
#include "QuarvinTool.h"

// The library's screen is the window's client area.
extern const int ProgramScreenWidth = kQuarvinClientWidth;
extern const int ProgramScreenHeight = kQuarvinClientHeight;

int main(int argc, char** argv) {
    return RunTool(QuarvinTool(), argc, argv);
}
