// Temporary output files beside their target, replaced in one rename.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "../Platform.h"

std::FILE* CreateTemporaryBeside(const char* target, std::string& temporaryPath) {
    std::string pattern = std::string(target) + ".tmp-XXXXXX";
    int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) return nullptr;
    std::FILE* stream = fdopen(descriptor, "wb");
    if (stream == nullptr) {
        close(descriptor);
        unlink(pattern.c_str());
        return nullptr;
    }
    temporaryPath = pattern;
    return stream;
}

bool MoveOver(const char* temporaryPath, const char* target) {
    // mkstemp made the file private; give it what a new file would get, or
    // what the file it replaces had.
    struct stat existing {};
    mode_t mode;
    if (stat(target, &existing) == 0) {
        mode = existing.st_mode & 07777;
    } else {
        mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    int descriptor = open(temporaryPath, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return false;
    bool ready = fchmod(descriptor, mode) == 0 && fsync(descriptor) == 0;
    close(descriptor);
    return ready && rename(temporaryPath, target) == 0;
}
