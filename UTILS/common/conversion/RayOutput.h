// The .sh file a conversion writes (an RlsRay of one sprite per picture):
// chosen after the first picture is encoded, then one record per picture,
// finished after the last. It is written through the shell's output files,
// so a conversion that does not finish leaves the previous file untouched and
// nothing partial.
#ifndef UTILS_COMMON_CONVERSION_RAY_OUTPUT_H
#define UTILS_COMMON_CONVERSION_RAY_OUTPUT_H

#include <cstdint>
#include <cstdio>

#include <Vantrel/RLSprite.h>

#include "ToolShell.h"

struct RayOutput {
    std::FILE* stream = nullptr;  // null until begun
    char path[kPathBufferSize] = {};
};

// The save dialog, proposing <output folder>/<file name of namedAfter cut at
// its last point>.sh ("Individual Ship Files"); on a choice, its folder is
// remembered, the file begun and the ray header for count sprites written.
// False when the user cancelled (nothing is written). Fatal: "Unable to
// create file <path>", "Unable to write to file <path>".
bool BeginRayOutput(RayOutput& output, const char* namedAfter, int count);

// The sprite's record (StoreRLSprite; "StoreRLSprite: Unable to write to
// file" when it cannot be written).
void AppendToRay(RayOutput& output, RLSprite& sprite);

// Renames the complete file over its target; "Unable to write to file
// <path>" when that fails. Nothing happens when the output was never begun.
void FinishRay(RayOutput& output);

#endif
