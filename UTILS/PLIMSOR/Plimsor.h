// Plimsor, the image-list converter: a text list of up to 64 TGA images
// becomes one .sh file (an RlsRay) holding one sprite per listed image, in
// list order, each anchored at the centre of its visible rectangle.
//
// The list is read with ReadListLine (blank lines and lines starting with "//"
// are skipped). Each remaining line is one image name taken exactly as
// written; ".tga" is appended unless the name's fourth-last character is a
// point; a name without a folder separator is taken from the list's folder.
// Lines after the 64th name are read and dropped.
//
// Every failure ends the program through ReportFatal (never returns); a
// cancelled file choice ends the operation silently. The .sh file is written
// through the shell's output files: an operation that does not finish leaves
// the previous file untouched and nothing partial.
#ifndef UTILS_PLIMSOR_PLIMSOR_H
#define UTILS_PLIMSOR_PLIMSOR_H

#include "ToolShell.h"

constexpr int kMaxImageListEntries = 64;

// The entries of the last list read: image paths in list order.
extern char ImageListEntries[kMaxImageListEntries][kPathBufferSize];
extern int ImageListCount;

// Reads the list file at listPath into ImageListEntries and ImageListCount
// (the input folder must already be the list's folder).
void ReadImageList(const char* listPath);

// Releases what an operation ended by a fatal report left behind (the
// sprite's buffers) and forgets the last list (tests; the program ends instead).
void ResetPlimsorState();

// The I key: choose a list, convert its images, write the .sh file.
void ConvertImageList();

// Key releases: I runs ConvertImageList; every other key does nothing.
void PlimsorKeyRelease(int key);
// Sets the fixed title "Orlavine (press I to input a .txt file)".
void PlimsorUpdateTitle();

// The shell's parameters for Plimsor (class "Orlavine", 440 x 20).
const ToolParameters& PlimsorTool();

#endif
