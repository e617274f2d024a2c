#include <Vantrel/ScreenGeometry.h>
#include "Quarvin.h"

// The window's client size, also the library's screen.
extern const int ProgramScreenWidth = 350;
extern const int ProgramScreenHeight = 20;

int main(int argc, char** argv) {
    return RunTool(QuarvinTool(), argc, argv);
}
