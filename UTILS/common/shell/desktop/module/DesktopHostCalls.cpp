// Inside the desktop module: the core services the front end calls, by their
// usual names, forwarded to the table the program handed over.
#include "shell/desktop/DesktopModule.h"
#include "shell/desktop/module/DesktopHostCalls.h"
#include "shell/posix/PosixPlatform.h"
#include "shell/core/DialogAnswer.h"
#include "shell/core/KeyDispatch.h"

namespace {
const DesktopHost* host = nullptr;
}  // namespace

void KeepDesktopHost(const DesktopHost* programHost) {
    host = programHost;
}

void DispatchKeyRelease(const ToolParameters& tool, int key) {
    host->dispatchKeyRelease(tool, key);
}
void RequestQuit() {
    host->requestQuit();
}
bool QuitRequested() {
    return host->quitRequested();
}
int QuitExitCode() {
    return host->quitExitCode();
}
std::string AbsolutePath(const char* answer) {
    return host->absolutePath(answer);
}
DialogAnswer CheckDialogAnswer(const char* path, char mode) {
    return host->checkDialogAnswer(path, mode);
}
const char* DialogRefusalText(DialogAnswer answer) {
    return host->dialogRefusalText(answer);
}
bool ClaimToolClassLock(const char* className, long& runningPid) {
    return host->claimToolClassLock(className, runningPid);
}
