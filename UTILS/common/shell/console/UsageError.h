// The end of a console run whose command line or script the shell refused.
#ifndef UTILS_COMMON_SHELL_CONSOLE_USAGE_ERROR_H
#define UTILS_COMMON_SHELL_CONSOLE_USAGE_ERROR_H

#include <string>

#include "shell/core/ToolParameters.h"

// Ends the program with exit code 2 after "<program>: <text>" on standard
// error, abandoning every output file still open.
[[noreturn]] void EndWithUsageError(const ToolParameters& tool, const std::string& text);

#endif
