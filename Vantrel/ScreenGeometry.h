// Screen geometry shared by the library and the linking program.
//
// Each program defines the two constants below (the tools: their window's
// client size; tests: whatever surface they draw on). They must be defined with
// a constant initialiser, e.g.
//     extern const int ProgramScreenWidth = 350;
// so that they are set before any dynamic initialisation of the library reads
// them.
#ifndef VANTREL_SCREEN_GEOMETRY_H
#define VANTREL_SCREEN_GEOMETRY_H

extern const int ProgramScreenWidth;
extern const int ProgramScreenHeight;

#endif
