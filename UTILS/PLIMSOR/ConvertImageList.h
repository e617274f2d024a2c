// Plimsor's operation, the image-list converter: a text list of up to 64 TGA
// images becomes one .sh file (an RlsRay) holding one sprite per listed image,
// in list order, each anchored at the centre of its visible rectangle.
//
// The list is read with ReadListLine (blank lines and lines starting with "//"
// are skipped). Each remaining line is one image name taken exactly as
// written; ".tga" is appended unless the name's fourth-last character is a
// point; a name without a folder separator is taken from the list's folder.
// Lines after the 64th name are read and dropped.
//
// The operation flows from the chosen list to an ImageList (its entries), and
// from each entry to its sprite and one record of the output, chosen after the
// first image is encoded; nothing of it is kept in globals. What stays loaded afterwards is the
// last image, in the tools' TGA main slot.
//
// Every failure ends the program through ReportFatal (never returns); a
// cancelled file choice ends the operation silently. The .sh file is written
// through the shell's output files: an operation that does not finish leaves
// the previous file untouched and nothing partial.
#ifndef UTILS_PLIMSOR_CONVERT_IMAGE_LIST_H
#define UTILS_PLIMSOR_CONVERT_IMAGE_LIST_H

#include "ToolShell.h"

constexpr int kMaxImageListEntries = 64;

// The entries of one list: image paths in list order.
struct ImageList {
    char entries[kMaxImageListEntries][kPathBufferSize] = {};
    int count = 0;
};

// Reads the list file at listPath into list, which starts empty (the input
// folder must already be the list's folder), and names the list and every
// entry to the job.
void ReadImageList(const char* listPath, ImageList& list, ToolJob& job);

// The I key: choose a list, convert its images, write the .sh file.
void ConvertImageList();

// Releases the image the last operation left in the tools' TGA slot and puts
// the reader's settings back (tests; the program ends instead).
void ResetPlimsorState();

#endif
