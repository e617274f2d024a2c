// One copy per tool class: an exclusive lock on a file named after the class.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/posix/PosixPlatform.h"

namespace {

std::string LockPath(const char* className) {
    const char* folder = std::getenv("XDG_RUNTIME_DIR");
    if (folder == nullptr || folder[0] == '\0') folder = std::getenv("TMPDIR");
    if (folder == nullptr || folder[0] == '\0') folder = "/tmp";
    std::string name;
    for (const char* c = className; *c != '\0'; ++c) {
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    }
    return std::string(folder) + "/tool-" + name + "-" + std::to_string(getuid()) + ".lock";
}

}  // namespace

bool ClaimToolClassLock(const char* className, long& runningPid) {
    runningPid = 0;
    std::string path = LockPath(className);
    int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a lock file there is no way to tell: let this copy run.
    if (descriptor < 0) return true;
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        char text[32] = {};
        ssize_t length = pread(descriptor, text, sizeof text - 1, 0);
        if (length > 0) runningPid = std::strtol(text, nullptr, 10);
        close(descriptor);
        return false;
    }
    // The descriptor stays open (and locked) until the process ends.
    std::string pid = std::to_string(getpid()) + "\n";
    if (ftruncate(descriptor, 0) == 0) {
        ssize_t written = pwrite(descriptor, pid.data(), pid.size(), 0);
        (void)written;
    }
    return true;
}
