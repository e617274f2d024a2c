// Directory listing by wildcard and file time text on POSIX systems.
#include <fcntl.h>
#include <glob.h>
#include <sys/stat.h>

#include <cstring>
#include <ctime>

#include <Vantrel/DebugAlloc.h>
#include "shell/platform/FileSystem.h"

namespace {
constexpr const char* kSource = "UTILS\\common\\Directory";
}

int ListDirectory(const char* pattern, DynList<char*>& list, bool dropExtensions) {
    while (list.Count() > 0) {
        DebugFree(list.Get(0));
        list.RemoveAt(0);
    }
    glob_t matches{};
    if (glob(pattern, 0, nullptr, &matches) != 0 || matches.gl_pathc == 0) {
        globfree(&matches);
        return -1;
    }
    for (std::size_t i = 0; i < matches.gl_pathc; ++i) {
        const char* slash = std::strrchr(matches.gl_pathv[i], '/');
        const char* name = slash != nullptr ? slash + 1 : matches.gl_pathv[i];
        std::size_t length = std::strlen(name);
        if (dropExtensions) {
            const char* dot = std::strrchr(name, '.');
            if (dot != nullptr) length = static_cast<std::size_t>(dot - name);
        }
        char* copy = static_cast<char*>(DebugAlloc(length + 1, kSource, __LINE__));
        if (copy == nullptr) break;
        std::memcpy(copy, name, length);
        copy[length] = '\0';
        if (list.Add(copy) < 0) {
            DebugFree(copy);
            break;
        }
    }
    globfree(&matches);
    return 0;
}

int FileTimeText(const char* path, char* output) {
    std::time_t when = 0;
    struct statx details {};
    if (statx(AT_FDCWD, path, 0, STATX_BTIME | STATX_MTIME, &details) != 0) return -1;
    when =
        (details.stx_mask & STATX_BTIME) != 0 ? details.stx_btime.tv_sec : details.stx_mtime.tv_sec;
    std::tm local{};
    if (localtime_r(&when, &local) == nullptr) return -1;
    // Always 25 characters for years 1000 to 9999, as the runtime's time text.
    char text[64];
    std::size_t length = std::strftime(text, sizeof text, "%a %b %d %H:%M:%S %Y\n", &local);
    if (length != 25) return -1;
    std::memcpy(output, text, length + 1);
    return 0;
}
