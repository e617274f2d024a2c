// The batch front end: command-line arguments answer the dialogs. It works on
// standard streams only, so every platform's console build can use it.
#ifndef UTILS_COMMON_SHELL_CONSOLE_BATCH_FRONT_END_H
#define UTILS_COMMON_SHELL_CONSOLE_BATCH_FRONT_END_H

#include <string>
#include <vector>

#include "shell/core/FrontEnd.h"

// One batch run: input answers the open dialog, output (or, when null, the
// proposed path) the save dialog. The run releases tool.runKey once and then
// prints each written output's path on standard output (unless quiet). A refused answer
// ends the program with exit code 2.
struct BatchRun {
    const ToolParameters* tool = nullptr;
    const char* input = nullptr;
    const char* output = nullptr;
    bool quiet = false;       // --quiet: the written paths are not printed
    bool inputTaken = false;  // one open dialog per run has an answer
    std::vector<std::string> writtenPaths;
};

// The front end of the run, whose context is run (it must outlive the run).
FrontEnd BatchFrontEnd(BatchRun& run);

#endif
