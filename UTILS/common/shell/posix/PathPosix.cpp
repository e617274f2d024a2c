// Paths on POSIX systems: the slash separates folders.
#include "shell/platform/FileSystem.h"

extern const char kPathSeparator = '/';

bool IsPathSeparator(char c) {
    return c == '/';
}
