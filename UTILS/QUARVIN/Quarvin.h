// Quarvin, the ship frame converter: the options and the title that shows
// them, the keys, and the batch that turns a ship's 16 rotation frames into
// one .sh file (an RlsRay of 16 sprites).
//
// A ship is chosen by any one of its frame files, named by the ship's name,
// two frame digits and .tga; the frames are numbered 00 to 15 (Offset 0) or 01
// to 16 (Offset 1). With Feather on, a frame may have an alpha image of the
// same size named a_<ship><digits>.tga in the same folder, which then decides
// which pixels are opaque and how strongly each edge pixel is blended.
//
// Every failure ends the program through ReportFatal (never returns); a
// cancelled file choice ends the batch silently. The .sh file is written
// through the shell's output files, so a batch that does not finish leaves the
// previous file untouched and nothing partial.
#ifndef UTILS_QUARVIN_QUARVIN_H
#define UTILS_QUARVIN_QUARVIN_H

#include "ToolShell.h"

// The options, process-wide for the whole run, never saved. Border and
// Feather are never on together: switching one on switches the other off.
extern bool Border;   // paint a one-pixel outline around each frame
extern bool Feather;  // blended edge pixels, alpha images
extern int Offset;    // number of the first frame file: 0 or 1

// Back to Border off, Feather on, Offset 0 (start-up; tests).
void ResetQuarvinOptions();
// The options reset, and what a batch ended by a fatal report left behind
// released: the frame record's buffers (tests; the program ends instead).
void ResetQuarvinState();

// Sets the window title from the options:
// "Keys: Input  Border(on|off)  Feather(on|off)  Offset(0|1)".
void UpdateTitle();
// The title for the present options.
const char* QuarvinTitle();

// Key releases: I converts a ship, B, F and O toggle the options.
void QuarvinKeyRelease(int key);

// The I key: choose a frame of a ship, check all 16 frames exist, convert
// them and write the .sh file.
void ConvertShip();

// Converts the frame whose images are loaded (main slot, and the alternate
// slot when an alpha image was read) and writes its record. At the first frame
// it asks for the output file; returns false when the user declined to give
// one, true otherwise.
bool ConvertFrame(bool firstFrame, const char* shipPath);

// The shell's parameters for Quarvin, with the batch flags --border,
// --no-feather and --offset 0|1.
const ToolParameters& QuarvinTool();

#endif
