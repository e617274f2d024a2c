// The shell's start-up, the top of its layers: RunTool reads the command line,
// picks the front end and runs the tool from start-up to the exit code.
// Nothing below it (front ends, core, platform) calls it.
#ifndef UTILS_COMMON_SHELL_START_RUN_TOOL_H
#define UTILS_COMMON_SHELL_START_RUN_TOOL_H

#include <string>

#include "shell/core/ToolParameters.h"

struct FrontEnd;

// Runs the tool: command line, start-up (program folder, remembered folders,
// single instance, window, title, RGB565 pixel mode), the front end's loop,
// and the exit code. --help and --version print and return 0.
int RunTool(const ToolParameters& tool, int argc, char** argv);

struct StartOptions {
    // --no-remember: indir.txt and outdir.txt are neither read nor written.
    bool leaveFolderFilesAlone = false;
    // --depfile: the dependency file to write at the end (empty: none).
    std::string dependencyFile;
};

// Runs the tool with the given front end from start-up to the exit code
// (RunTool after the command line; the tests with their own front end).
int RunToolWith(const ToolParameters& tool, const FrontEnd& frontEnd,
                const StartOptions& options = {});

#endif
