// The batch front end: command-line arguments answer the dialogs. It works on
// standard streams only, so every platform's console build can use it.
#ifndef UTILS_COMMON_SHELL_CONSOLE_BATCH_FRONT_END_H
#define UTILS_COMMON_SHELL_CONSOLE_BATCH_FRONT_END_H

#include "shell/core/FrontEnd.h"

// input answers the open dialog, output (or, when null, the proposed path)
// the save dialog. The run releases tool.runKey once and then prints each
// written output's path on standard output. A refused answer ends the
// program with exit code 2.
const FrontEnd& BatchFrontEnd(const ToolParameters& tool, const char* input, const char* output);

#endif
