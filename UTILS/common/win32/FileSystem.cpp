// Windows file-system services of the shell: the program's path, the
// directory listing (the runtime's wildcard search) and the file-time text
// (the runtime's file status and time text).
#include <io.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <ctime>

#include "../../../Vantrel/DebugAlloc.h"
#include "Win32Shell.h"

extern const char kPathSeparator = '\\';

namespace {

constexpr const char* kSource = "UTILS\\common\\FileSystem";
// The runtime's time text: 24 characters, a line feed and the terminating zero.
constexpr size_t kTimeTextSize = 26;

}  // namespace

void ReadProgramPath(char (&path)[kPathBufferSize]) {
    DWORD length = GetModuleFileNameA(nullptr, path, kPathBufferSize);
    // A full buffer means the path was cut: refuse it rather than work in a
    // folder that is not the program's.
    if (length == 0 || length >= static_cast<DWORD>(kPathBufferSize)) {
        ReportFatal("The program's path is longer than 255 characters");
    }
}

int ListDirectory(const char* pattern, DynList<char*>& list, bool dropExtensions) {
    list.Clear();
    _finddata_t match{};
    intptr_t search = _findfirst(pattern, &match);
    if (search == -1) return -1;
    do {
        char* name = DebugStrdup(match.name, kSource, __LINE__);
        if (name == nullptr) continue;
        if (dropExtensions) {
            char* extension = std::strrchr(name, '.');
            if (extension != nullptr) *extension = '\0';
        }
        if (list.Add(name) < 0) DebugFree(name);
    } while (_findnext(search, &match) == 0);
    _findclose(search);
    return 0;
}

int FileTimeText(const char* path, char* output) {
    struct _stat64 status {};
    if (_stat64(path, &status) != 0) return -1;
    // On Windows the status's change time is the file's creation time.
    const char* text = _ctime64(&status.st_ctime);
    if (text == nullptr) return -1;
    std::snprintf(output, kTimeTextSize, "%s", text);
    return 0;
}
