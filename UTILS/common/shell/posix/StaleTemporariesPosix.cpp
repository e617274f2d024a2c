// Leftovers of killed writers: a run ended by SIGKILL or a power loss leaves
// its "<target>.tmp-<pid>-<hex>" behind (the signal handler never ran). The
// next write to the same target removes those whose writer is gone.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

#include "shell/posix/PosixPlatform.h"
#include "shell/platform/TemporaryName.h"

namespace {

// Only ESRCH says that no process has that id. EPERM (another user's
// process) and every other answer keep the file. A pid that the system has
// given to a new process since the writer died looks alive, and its leftover
// is kept: removing too little is safe, removing a file being written is not.
bool WriterIsGone(std::uint32_t pid) {
    if (pid == 0 || pid > static_cast<std::uint32_t>(INT_MAX)) return false;
    if (static_cast<pid_t>(pid) == getpid()) return false;
    return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

void RemoveStaleTemporaries(const char* target) {
    std::string path = target;
    std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    std::string targetName = slash == std::string::npos ? path : path.substr(slash + 1);
    if (targetName.empty()) return;

    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) return;
    int folderDescriptor = dirfd(listing);
    while (dirent* entry = readdir(listing)) {
        std::uint32_t writer = TemporaryWriter(entry->d_name, targetName);
        if (writer == 0 || !WriterIsGone(writer)) continue;
        // Only a plain file of this folder; a link is not followed.
        struct stat found {};
        if (fstatat(folderDescriptor, entry->d_name, &found, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISREG(found.st_mode)) unlinkat(folderDescriptor, entry->d_name, 0);
    }
    closedir(listing);
}
