// Dessamor's own logic: a list of up to six .sh files and up to ten texts
// becomes one .shp family file with six slots.
//
// Family file, little-endian, no padding:
//     magic 44546 (bytes 02 AE) | slot count 6 (2 bytes) | text count (2 bytes)
//     | slot-to-ray table (6 bytes) | each distinct .sh file, copied whole, in
//     ray order | each text, every byte XOR 0x6B, then one zero byte.
// Before anything is written, each listed .sh file is loaded with the
// library's ray loader and all its checks, and must end where its ray ends: a
// family of rays the game cannot load is never written. A text holding the
// mask byte itself (a lower-case k) is refused: it would be written with a
// zero byte in its place, which splits it for the loader.
//
// Every failure ends the program through ReportFatal with a text that names
// the file; the output is written beside its target and renamed over it only
// when complete, so a failed build leaves the previous family file as it was.
#ifndef UTILS_DESSAMOR_FAMILY_BUILD_H
#define UTILS_DESSAMOR_FAMILY_BUILD_H

#include <cstdint>
#include <cstdio>

#include "ToolShell.h"

constexpr int kFamilySlotCount = 6;
constexpr int kFamilyTextLimit = 10;
constexpr int kFamilyTextBufferSize = 1024;

struct FamilyList {
    char slots[kFamilySlotCount][kPathBufferSize] = {};
    int nameLines[kFamilySlotCount] = {};  // the list line of each slot's name
    int nameCount = 0;
    char texts[kFamilyTextLimit][kFamilyTextBufferSize] = {};
    int textCount = 0;
    uint8_t table[kFamilySlotCount] = {};
    int rayCount = 0;
};

// The key handler's operation: list choice, reading, filling, numbering,
// output choice, writing. A cancelled list choice ends it silently; a
// cancelled output choice is fatal ("You must provide a file to output to!").
void BuildFamily();

// Reads the list's lines: ":text" lines while fewer than 10 texts are held,
// other lines as file names (".sh" appended unless the third-last character
// is a point) while fewer than 6 names are held; the rest is dropped with a
// warning (ToolWarnings.h), as is a line read in pieces. A text holding a
// lower-case k is fatal. listPath names the list in these texts.
void ReadFamilyList(std::FILE* stream, FamilyList& list, const char* listPath = "the list");
// Loads every distinct listed ray from "<folder>/<slot name>", each a file the
// job reads; a file that is not one ray exactly ends the program with a text
// naming it and its line.
void CheckListedRays(const FamilyList& list, const char* folder, const char* listPath,
                     ToolJob& job);
// Slots after the last name read take the name of the slot before them.
void FillSlots(FamilyList& list);
// Numbers the distinct names (case-sensitive) in order of first appearance.
void NumberRays(FamilyList& list);
// Writes the family file to output; the rays come from "<folder>/<slot name>".
// outputPath and listPath only name the files in fatal texts.
void WriteFamily(std::FILE* output, const FamilyList& list, const char* folder,
                 const char* outputPath, const char* listPath);

#endif
