// Quarvin's parameters for the tool shell: its class name and client size,
// the title that shows the options, the keys (I converts a ship; B, F and O
// toggle the options) and the batch flags --border, --no-feather and
// --offset 0|1.
#ifndef UTILS_QUARVIN_QUARVIN_TOOL_H
#define UTILS_QUARVIN_QUARVIN_TOOL_H

#include "ToolShell.h"

constexpr int kQuarvinClientWidth = 350;
constexpr int kQuarvinClientHeight = 20;

// Sets the window title from the options:
// "Keys: Input  Border(on|off)  Feather(on|off)  Offset(0|1)".
void UpdateTitle();
// The title for the present options.
const char* QuarvinTitle();

// Key releases: I converts a ship, B, F and O toggle the options, every
// other key does nothing.
void QuarvinKeyRelease(int key);

const ToolParameters& QuarvinTool();

#endif
