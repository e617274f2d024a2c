// Temporary output files beside their target, put in its place in one step.
// A temporary is named "<target>.tmp-<pid>-<8 hex digits>" (shell/platform/TemporaryName.h);
// before one is made, the leftovers of killed writers of the same target are
// removed: only names of exactly that form, in the target's folder, whose
// process has ended.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include <windows.h>

#include "shell/platform/Platform.h"
#include "shell/platform/TemporaryName.h"

namespace {

constexpr int kNameAttempts = 100;

// Only a process id the system does not know, or a process that has ended,
// counts as gone; a refused query (another user's process) keeps the file.
// An id that Windows has given to a new process since the writer ended looks
// alive, and its leftover is kept: removing too little is safe, removing a
// file being written is not.
bool WriterIsGone(std::uint32_t pid) {
    if (pid == 0 || pid == GetCurrentProcessId()) return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
    DWORD exitCode = 0;
    bool ended = GetExitCodeProcess(process, &exitCode) != 0 && exitCode != STILL_ACTIVE;
    CloseHandle(process);
    return ended;
}

void RemoveStaleTemporaries(const char* target) {
    std::string path = target;
    std::size_t separator = path.find_last_of("\\/:");
    std::string folder = separator == std::string::npos ? "" : path.substr(0, separator + 1);
    std::string targetName = separator == std::string::npos ? path : path.substr(separator + 1);
    if (targetName.empty()) return;

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + ".tmp-*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        // The pattern may also match a short 8.3 name; the exact name decides.
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        std::uint32_t writer = TemporaryWriter(found.cFileName, targetName);
        if (writer != 0 && WriterIsGone(writer)) DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

std::FILE* CreateTemporaryBeside(const char* target, std::string& temporaryPath) {
    RemoveStaleTemporaries(target);
    // _O_EXCL refuses a name that exists; another random part is tried.
    static std::mt19937 randomNames{std::random_device{}()};
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string candidate =
            std::string(target) +
            TemporarySuffix(GetCurrentProcessId(), static_cast<std::uint32_t>(randomNames()));
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
