// The user's folders on Windows: the local application data folder, the
// current folder, and whether a folder can be written.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "shell/platform/Platform.h"

namespace {

constexpr int kProbeAttempts = 100;

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

bool CanWriteFolder(const char* folder) {
    // Permissions on Windows come from access lists that the runtime's
    // access check does not read: create (and drop) a file to find out.
    std::string base = folder[0] != '\0' ? folder : ".\\";
    if (!IsSeparator(base.back())) base += '\\';
    for (int attempt = 0; attempt < kProbeAttempts; ++attempt) {
        std::string probe = base + ".write-probe-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(attempt);
        HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

std::string UserStateFolder(const char* programName) {
    const char* base = std::getenv("LOCALAPPDATA");
    if (base == nullptr || base[0] == '\0') return std::string();
    std::string folder = base;
    if (!IsSeparator(folder.back())) folder += '\\';
    return folder + "Vantrel\\" + programName + "\\";
}

bool MakeFolders(const std::string& folder) {
    // Every level after the drive (or the \\server\share of a network path).
    for (std::size_t end = 0; end < folder.size(); ++end) {
        if (!IsSeparator(folder[end]) || end == 0 || folder[end - 1] == ':') continue;
        std::string level = folder.substr(0, end);
        if (level.find_first_not_of("\\/") == std::string::npos) continue;
        if (level.size() >= 2 && IsSeparator(level[0]) && IsSeparator(level[1])) {
            std::size_t separators = 0;
            for (char c : level) separators += IsSeparator(c) ? 1 : 0;
            if (separators < 4) continue;
        }
        if (!CreateDirectoryA(level.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string CurrentFolder() {
    char buffer[4096];
    DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer) return std::string();
    std::string folder(buffer, length);
    // A drive's root keeps its separator ("C:\"); any other folder has none.
    if (folder.size() > 3 && IsSeparator(folder.back())) folder.pop_back();
    return folder;
}
