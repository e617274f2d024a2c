// Building and splitting paths within the 256-byte path buffers.
#ifndef UTILS_COMMON_SHELL_CORE_PATHS_H
#define UTILS_COMMON_SHELL_CORE_PATHS_H

#include "shell/platform/FileSystem.h"

// Writes folder, the separator and name into out (kPathBufferSize bytes).
void JoinPath(char* out, const char* folder, const char* name);
// printf-style path building into out (kPathBufferSize bytes).
void FormatPath(char* out, const char* format, ...);
// Both end the program through ReportFatal with
//     "Path longer than 255 characters: <the whole path>"
// when the result does not fit; a path is never cut short.
// Copies a path into a kPathBufferSize buffer with the same check.
void CopyPath(char* out, const char* path);

// The last separator in path, or nullptr when it has none.
const char* LastPathSeparator(const char* path);
// The part after the last separator (the whole path when it has none).
const char* PathFileName(const char* path);

#endif
