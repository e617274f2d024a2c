// The script front end: key releases and dialog answers line by line, titles
// and dialogs echoed (the protocol is described in ToolShell.h). It works on
// standard streams only, so every platform's console build can use it.
#ifndef UTILS_COMMON_SHELL_CONSOLE_SCRIPT_FRONT_END_H
#define UTILS_COMMON_SHELL_CONSOLE_SCRIPT_FRONT_END_H

#include <cstdio>

#include "shell/core/FrontEnd.h"

// One scripted run: the script and the number of its last line read.
struct ScriptRun {
    const ToolParameters* tool = nullptr;
    std::FILE* script = nullptr;  // closed by the front end's close (not standard input)
    int lineNumber = 0;
};

// Opens the script at path ("-": standard input) for the run; false when it
// cannot be opened (the caller reports the usage error).
bool OpenScript(ScriptRun& run, const ToolParameters& tool, const char* path);

// The front end of the run, whose context is run (it must outlive the run).
FrontEnd ScriptFrontEnd(ScriptRun& run);

#endif
