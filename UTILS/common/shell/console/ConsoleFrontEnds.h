// The portable front ends: batch (command-line arguments answer the dialogs)
// and script (a line protocol, see ToolShell.h). Both work on standard
// streams only, so every platform's console build can use them.
#ifndef UTILS_COMMON_SHELL_CONSOLE_FRONT_ENDS_H
#define UTILS_COMMON_SHELL_CONSOLE_FRONT_ENDS_H

#include "ToolShell.h"
#include "shell/FrontEnd.h"

// input answers the open dialog, output (or, when null, the proposed path)
// the save dialog. The run releases tool.runKey once and then prints each
// written output's path on standard output. A refused answer ends the
// program with exit code 2.
const FrontEnd& BatchFrontEnd(const ToolParameters& tool, const char* input, const char* output);

// Reads the script from path ("-": standard input). Null when it cannot be
// opened (the caller reports the usage error).
const FrontEnd* ScriptFrontEnd(const ToolParameters& tool, const char* path);

// Ends the program with exit code 2 after "<program>: <text>" on standard
// error, abandoning every output file still open.
[[noreturn]] void EndWithUsageError(const ToolParameters& tool, const std::string& text);

#endif
