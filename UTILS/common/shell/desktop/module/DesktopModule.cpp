// The desktop module's one exported function (DesktopModule.h).
#include "shell/desktop/DesktopModule.h"
#include "shell/desktop/module/DesktopHostCalls.h"
#include "shell/desktop/module/DesktopWindow.h"

extern "C" __attribute__((visibility("default"))) const FrontEnd* VantrelOpenDesktop(
    const DesktopHost* host) {
    if (host == nullptr || host->version != kDesktopModuleVersion ||
        host->size != sizeof(DesktopHost)) {
        return nullptr;
    }
    KeepDesktopHost(host);
    return OpenDesktopWindow();
}
