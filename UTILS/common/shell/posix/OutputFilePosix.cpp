// Temporary output files beside their target, replaced in one rename. A
// temporary is named "<target>.tmp-<pid>-<8 hex digits>" (shell/platform/TemporaryName.h) and
// created exclusively; before it is made, the leftovers of killed writers of
// the same target are removed (StaleTemporariesPosix.cpp).
//
// The paths of the temporaries still open are also kept in a fixed table that
// a handler of the terminating signals (SIGINT, SIGTERM, SIGHUP) can walk
// without allocating: it unlinks them and lets the signal end the process, so
// an interrupted batch leaves no partial file either.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "shell/platform/Platform.h"
#include "shell/posix/PosixPlatform.h"
#include "shell/platform/TemporaryName.h"

namespace {

constexpr int kNameAttempts = 100;
constexpr int kTrackedTemporaries = 8;
constexpr std::size_t kTrackedPathSize = 4096;
char trackedPaths[kTrackedTemporaries][kTrackedPathSize];
volatile sig_atomic_t trackedInUse[kTrackedTemporaries];
bool handlersInstalled = false;

void RemoveTrackedAndRaise(int signalNumber) {
    RemoveTemporariesOnSignal();
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

void InstallHandlers() {
    if (handlersInstalled) return;
    handlersInstalled = true;
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction current {};
        sigaction(signalNumber, nullptr, &current);
        // Leave alone what someone else installed or ignored (the terminal
        // front end's handler calls RemoveTemporariesOnSignal itself).
        if (current.sa_handler != SIG_DFL) continue;
        struct sigaction removal {};
        removal.sa_handler = RemoveTrackedAndRaise;
        sigemptyset(&removal.sa_mask);
        sigaction(signalNumber, &removal, nullptr);
    }
}

void Track(const std::string& path) {
    if (path.size() >= kTrackedPathSize) return;
    for (int i = 0; i < kTrackedTemporaries; ++i) {
        if (!trackedInUse[i]) {
            std::memcpy(trackedPaths[i], path.c_str(), path.size() + 1);
            trackedInUse[i] = 1;
            return;
        }
    }
}

void Untrack(const char* path) {
    for (int i = 0; i < kTrackedTemporaries; ++i) {
        if (trackedInUse[i] && std::strcmp(trackedPaths[i], path) == 0) trackedInUse[i] = 0;
    }
}

}  // namespace

void RemoveTemporariesOnSignal() {
    for (int i = 0; i < kTrackedTemporaries; ++i) {
        if (trackedInUse[i]) unlink(trackedPaths[i]);
    }
}

std::FILE* CreateTemporaryBeside(const char* target, std::string& temporaryPath) {
    InstallHandlers();
    RemoveStaleTemporaries(target);
    static std::mt19937 randomNames{std::random_device{}()};
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string candidate =
            std::string(target) + TemporarySuffix(static_cast<std::uint32_t>(getpid()),
                                                  static_cast<std::uint32_t>(randomNames()));
        // Private until MoveOver gives it the mode of the file it replaces.
        int descriptor = open(candidate.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
        if (descriptor < 0) {
            if (errno == EEXIST) continue;
            return nullptr;
        }
        std::FILE* stream = fdopen(descriptor, "wb");
        if (stream == nullptr) {
            close(descriptor);
            unlink(candidate.c_str());
            return nullptr;
        }
        temporaryPath = candidate;
        Track(temporaryPath);
        return stream;
    }
    return nullptr;
}

void RemoveTemporary(const char* temporaryPath) {
    Untrack(temporaryPath);
    unlink(temporaryPath);
}

bool MoveOver(const char* temporaryPath, const char* target) {
    // The temporary was made private; give it what a new file would get, or
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
    if (!ready || rename(temporaryPath, target) != 0) return false;
    Untrack(temporaryPath);
    return true;
}
