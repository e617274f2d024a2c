// Directory listing (the runtime's wildcard search) and file time text (the
// runtime's file status and time text) on Windows.
#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include <Vantrel/DebugAlloc.h>
#include "shell/platform/FileSystem.h"

namespace {

constexpr const char* kSource = "UTILS\\common\\Directory";
// The runtime's time text: 24 characters, a line feed and the terminating zero.
constexpr std::size_t kTimeTextSize = 26;

}  // namespace

int ListDirectory(const char* pattern, DynList<char*>& list, bool dropExtensions) {
    while (list.Count() > 0) {
        DebugFree(list.Get(0));
        list.RemoveAt(0);
    }
    _finddata_t match{};
    intptr_t search = _findfirst(pattern, &match);
    if (search == -1) return -1;
    std::vector<std::string> names;
    do {
        std::string name = match.name;
        // The folder's own entries match "*" too; they name no file in it,
        // and the POSIX search never reports them.
        if (name == "." || name == "..") continue;
        if (dropExtensions) {
            std::size_t dot = name.rfind('.');
            if (dot != std::string::npos) name.resize(dot);
        }
        names.push_back(std::move(name));
    } while (_findnext(search, &match) == 0);
    _findclose(search);
    if (names.empty()) return -1;

    // Sorted, as on every platform: the order of the search depends on the
    // file system.
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        char* copy = DebugStrdup(name.c_str(), kSource, __LINE__);
        if (copy == nullptr) break;
        if (list.Add(copy) < 0) {
            DebugFree(copy);
            break;
        }
    }
    return 0;
}

int FileTimeText(const char* path, char* output) {
    struct _stat64 status {};
    if (_stat64(path, &status) != 0) return -1;
    // On Windows the status's change time is the file's creation time.
    const char* text = _ctime64(&status.st_ctime);
    if (text == nullptr || std::strlen(text) != kTimeTextSize - 1) return -1;
    std::memcpy(output, text, kTimeTextSize);
    return 0;
}
