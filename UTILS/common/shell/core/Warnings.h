// Warnings: what a run drops or skips without stopping (images after the
// 64th, .sh names after the 6th, texts after the 10th, a list line read in
// pieces, a list that names nothing). The outputs and exit codes stay as they
// are; the warning only says so.
//
// The console front ends (batch, script, terminal) install a sink that shows
// "Warning: <text>" on standard error; the window front ends install none, so
// warnings stay silent there.
#ifndef UTILS_COMMON_SHELL_CORE_WARNINGS_H
#define UTILS_COMMON_SHELL_CORE_WARNINGS_H

#include <string>

// Receives the whole line, "Warning: <text>", without a line end.
using WarningSink = void (*)(const std::string& line);

// The sink of the process; null (the start) means silent.
void SetWarningSink(WarningSink sink);

// The console sink: the line and a line feed on standard error.
void WriteWarningToStandardError(const std::string& line);

// Hands "Warning: <text>" to the sink, if there is one.
void Warn(const std::string& text);

#endif
