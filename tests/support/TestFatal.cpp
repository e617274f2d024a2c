#include "TestFatal.h"

#include <Vantrel/Fatal.h>
#include <Vantrel/ScreenGeometry.h>

// The library's screen: the surface the drawing tests work on.
extern const int ProgramScreenWidth = 640;
extern const int ProgramScreenHeight = 480;

void ReportFatal(const char* text) {
    throw FatalError(text != nullptr ? text : "");
}
