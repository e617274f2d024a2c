// Dessamor: builds a ship family (.shp) from a text list of .sh files.
#include <Vantrel/ScreenGeometry.h>
#include "DessamorTool.h"

// The library's screen is the window's client area.
extern const int ProgramScreenWidth = kDessamorClientWidth;
extern const int ProgramScreenHeight = kDessamorClientHeight;

int main(int argc, char** argv) {
    return RunTool(DessamorTool(), argc, argv);
}
