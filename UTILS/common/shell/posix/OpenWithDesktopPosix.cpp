// Asking the desktop to open a file (xdg-open).
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "shell/platform/Platform.h"

extern char** environ;

bool OpenWithDesktop(const char* file, const char* folder, void*) {
    std::string path = file;
    if (folder != nullptr && folder[0] != '\0' && file[0] != '/')
        path = std::string(folder) + '/' + file;
    char opener[] = "xdg-open";
    char* arguments[] = {opener, path.data(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, opener, nullptr, nullptr, arguments, environ) != 0) return false;
    int status = 0;
    if (waitpid(child, &status, 0) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
