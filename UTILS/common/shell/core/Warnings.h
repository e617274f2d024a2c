// Warnings: what a run drops or skips without stopping (images after the
// 64th, .sh names after the 6th, texts after the 10th, a list line read in
// pieces, a list that names nothing). The outputs and exit codes stay as they
// are; the warning only says so.
//
// The active front end decides whether it shows them (its showWarning entry,
// FrontEnd.h): the console front ends (batch, script, terminal) write
// "Warning: <text>" on standard error; the windows stay silent.
#ifndef UTILS_COMMON_SHELL_CORE_WARNINGS_H
#define UTILS_COMMON_SHELL_CORE_WARNINGS_H

#include <string>

// Hands "Warning: <text>" to the active front end.
void Warn(const std::string& text);

// The console front ends' showWarning: the line and a line feed on standard
// error.
void WriteWarningLine(void* context, const char* line);

#endif
