// The shell's start-up, the top of its layers: it reads the command line,
// picks the front end and runs the tool from start-up to the exit code.
// Nothing below it (front ends, core, platform) calls it.
#ifndef UTILS_COMMON_SHELL_START_TOOL_START_H
#define UTILS_COMMON_SHELL_START_TOOL_START_H

#include "ToolShell.h"
#include "shell/FrontEnd.h"

struct StartOptions {
    // --no-remember: indir.txt and outdir.txt are neither read nor written.
    bool leaveFolderFilesAlone = false;
};

// Runs the tool with the given front end from start-up to the exit code.
int RunToolWith(const ToolParameters& tool, const FrontEnd& frontEnd,
                const StartOptions& options = {});

// The front end for a start without arguments (the window, the terminal),
// or nullptr when there is none (the start-up then prints the usage, exit 2).
// One source file per platform.
const FrontEnd* PickInteractiveFrontEnd(const ToolParameters& tool);

#endif
