// Paths on POSIX systems: the slash separates folders.
#include "shell/FileSystem.h"

extern const char kPathSeparator = '/';

bool IsPathSeparator(char c) {
    return c == '/';
}
