// The running program's path, as the kernel reports it.
#include <unistd.h>

#include <string>

#include "../Platform.h"

std::string QueryProgramPath() {
    std::string path(4096, '\0');
    ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) return std::string();
    path.resize(static_cast<std::size_t>(length));
    return path;
}
