// Key releases and the quit request.
#include "shell/core/KeyDispatch.h"

namespace {
bool quitRequested = false;
}  // namespace

void DispatchKeyRelease(const ToolParameters& tool, int key) {
    if (key == 'Q') {
        RequestQuit();
    } else if (tool.onKeyRelease != nullptr) {
        tool.onKeyRelease(key);
    }
}

void RequestQuit() {
    quitRequested = true;
}
bool QuitRequested() {
    return quitRequested;
}
int QuitExitCode() {
    return 0;
}
void ClearQuitRequest() {
    quitRequested = false;
}
