// The running program's path, as the kernel reports it.
#include <unistd.h>

#include "shell/platform/Platform.h"

bool QueryProgramPath(char* buffer, std::size_t size) {
    if (size < 2) return false;
    ssize_t length = readlink("/proc/self/exe", buffer, size);
    if (length <= 0 || static_cast<std::size_t>(length) >= size) return false;
    buffer[length] = '\0';
    return true;
}
