// Plimsor: converts a list of images into one .sh file.
#include <Vantrel/ScreenGeometry.h>
#include "PlimsorTool.h"

// The library's screen is the window's client area.
extern const int ProgramScreenWidth = kPlimsorClientWidth;
extern const int ProgramScreenHeight = kPlimsorClientHeight;

int main(int argc, char** argv) {
    return RunTool(PlimsorTool(), argc, argv);
}
