// Temporary output files beside their target, put in its place in one step.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include <windows.h>

#include "shell/Platform.h"

namespace {

constexpr int kNameAttempts = 100;

}  // namespace

std::FILE* CreateTemporaryBeside(const char* target, std::string& temporaryPath) {
    // The process id and a counter make a name no other copy uses; _O_EXCL
    // refuses a leftover of an earlier run with the same name.
    static unsigned counter = 0;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".tmp-%lu-%u",
                      static_cast<unsigned long>(GetCurrentProcessId()), counter++);
        std::string candidate = std::string(target) + suffix;
        int descriptor = _open(candidate.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY,
                               _S_IREAD | _S_IWRITE);
        if (descriptor < 0) {
            if (errno == EEXIST) continue;
            return nullptr;
        }
        std::FILE* stream = _fdopen(descriptor, "wb");
        if (stream == nullptr) {
            _close(descriptor);
            _unlink(candidate.c_str());
            return nullptr;
        }
        temporaryPath = candidate;
        return stream;
    }
    return nullptr;
}

void RemoveTemporary(const char* temporaryPath) {
    _unlink(temporaryPath);
}

bool MoveOver(const char* temporaryPath, const char* target) {
    // The data reaches the disk before the name does.
    HANDLE file = CreateFileA(temporaryPath, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool flushed = FlushFileBuffers(file) != 0;
    CloseHandle(file);
    return flushed && MoveFileExA(temporaryPath, target,
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
