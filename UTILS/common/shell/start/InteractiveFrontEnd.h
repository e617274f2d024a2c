// The front end for a start without arguments (the window, the terminal).
// One source file per platform: start/posix/, start/win32/.
#ifndef UTILS_COMMON_SHELL_START_INTERACTIVE_FRONT_END_H
#define UTILS_COMMON_SHELL_START_INTERACTIVE_FRONT_END_H

#include "shell/core/FrontEnd.h"

// The front end, or nullptr when there is none (the start-up then prints the
// usage, exit code 2).
const FrontEnd* PickInteractiveFrontEnd(const ToolParameters& tool);

#endif
