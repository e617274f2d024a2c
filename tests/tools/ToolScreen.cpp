// The tool tests' screen (the library's surface size); the programs use
// their client sizes.
#include <Vantrel/ScreenGeometry.h>

extern const int ProgramScreenWidth = 640;
extern const int ProgramScreenHeight = 480;
