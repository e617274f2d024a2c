// Paths on POSIX systems: the slash separates folders.
#include "ToolShell.h"

extern const char kPathSeparator = '/';

bool IsPathSeparator(char c) {
    return c == '/';
}
