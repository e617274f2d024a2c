// The user's folders on POSIX systems: the state folder of the XDG base
// directories, the current folder, and whether a folder can be written.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "shell/platform/Platform.h"

namespace {

// A relative path in XDG_STATE_HOME or HOME is ignored, as desktops do.
std::string AbsoluteEnvironment(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

}  // namespace

bool CanWriteFolder(const char* folder) {
    return access(folder[0] != '\0' ? folder : ".", W_OK | X_OK) == 0;
}

std::string UserStateFolder(const char* programName) {
    std::string base = AbsoluteEnvironment("XDG_STATE_HOME");
    if (base.empty()) {
        std::string home = AbsoluteEnvironment("HOME");
        if (home.empty()) return std::string();
        base = home + "/.local/state";
    }
    if (base.back() != '/') base += '/';
    return base + "vantrel/" + programName + "/";
}

bool MakeFolders(const std::string& folder) {
    // Each missing level is made for this user only (mode 0700): the folder
    // holds where this user keeps art, which other users need not see.
    for (std::size_t end = folder.find('/', 1); end != std::string::npos;
         end = folder.find('/', end + 1)) {
        std::string level = folder.substr(0, end);
        if (mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
    struct stat details {};
    return stat(folder.c_str(), &details) == 0 && S_ISDIR(details.st_mode);
}

std::string CurrentFolder() {
    std::string buffer(4096, '\0');
    if (getcwd(buffer.data(), buffer.size()) == nullptr) return std::string();
    buffer.resize(buffer.find('\0'));
    return buffer;
}
