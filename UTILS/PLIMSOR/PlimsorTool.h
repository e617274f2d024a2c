// Plimsor's parameters for the tool shell: its class name "Orlavine", its
// client size, its fixed title and its key (I converts a list).
#ifndef UTILS_PLIMSOR_PLIMSOR_TOOL_H
#define UTILS_PLIMSOR_PLIMSOR_TOOL_H

#include "ToolShell.h"

constexpr int kPlimsorClientWidth = 440;
constexpr int kPlimsorClientHeight = 20;

// Key releases: I runs ConvertImageList; every other key does nothing.
void PlimsorKeyRelease(int key);
// Sets the fixed title "Orlavine (press I to input a .txt file)".
void PlimsorUpdateTitle();

const ToolParameters& PlimsorTool();

#endif
