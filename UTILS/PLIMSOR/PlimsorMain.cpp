#include <Vantrel/ScreenGeometry.h>
#include "Plimsor.h"

// The window's client size, also the library's screen.
extern const int ProgramScreenWidth = 440;
extern const int ProgramScreenHeight = 20;

int main(int argc, char** argv) {
    return RunTool(PlimsorTool(), argc, argv);
}
