// The console form of a fatal report, the one line every console front end
// (batch, script, a terminal not yet in raw mode, the console fallback) and
// the preview program write before they end with exit code 1:
//     Fatal Error: <text>
// on standard error, ended by a line feed unless the text already ends with one.
#ifndef UTILS_COMMON_FATAL_FATAL_LINE_H
#define UTILS_COMMON_FATAL_FATAL_LINE_H

// text may be null (written as empty). Standard error is flushed.
void WriteFatalLine(const char* text);

#endif
