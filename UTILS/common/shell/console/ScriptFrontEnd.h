// The script front end: key releases and dialog answers line by line, titles
// and dialogs echoed (the protocol is described in ToolShell.h). It works on
// standard streams only, so every platform's console build can use it.
#ifndef UTILS_COMMON_SHELL_CONSOLE_SCRIPT_FRONT_END_H
#define UTILS_COMMON_SHELL_CONSOLE_SCRIPT_FRONT_END_H

#include "shell/core/FrontEnd.h"

// Reads the script from path ("-": standard input). Null when it cannot be
// opened (the caller reports the usage error).
const FrontEnd* ScriptFrontEnd(const ToolParameters& tool, const char* path);

#endif
