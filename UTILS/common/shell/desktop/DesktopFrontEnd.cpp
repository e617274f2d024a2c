// DesktopFrontEnd in a program: opens the desktop module (DesktopModule.h)
// when a display is reachable, and hands it the core's services.
//
// The module is looked for, in this order, at $VANTREL_DESKTOP_MODULE, in the
// installed layout relative to the program's own folder, and where the build
// made it. Without a display, or when the module or the toolkit it needs is
// missing, there is no desktop front end.
#include <dlfcn.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "shell/desktop/DesktopFrontEnd.h"
#include "shell/desktop/DesktopModule.h"
#include "shell/desktop/DesktopModulePaths.h"
#include "shell/platform/Platform.h"
#include "shell/posix/PosixPlatform.h"
#include "shell/core/KeyDispatch.h"

namespace {

const DesktopHost kHost = {
    .version = kDesktopModuleVersion,
    .size = sizeof(DesktopHost),
    .dispatchKeyRelease = DispatchKeyRelease,
    .requestQuit = RequestQuit,
    .quitRequested = QuitRequested,
    .quitExitCode = QuitExitCode,
    .absolutePath = AbsolutePath,
    .checkDialogAnswer = CheckDialogAnswer,
    .dialogRefusalText = DialogRefusalText,
    .claimToolClassLock = ClaimToolClassLock,
};

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] != '\0';
}

std::vector<std::string> ModuleCandidates() {
    std::vector<std::string> candidates;
    if (IsSet("VANTREL_DESKTOP_MODULE")) {
        candidates.emplace_back(std::getenv("VANTREL_DESKTOP_MODULE"));
        return candidates;
    }
    std::string program(4096, '\0');
    if (QueryProgramPath(program.data(), program.size())) {
        program.resize(program.find('\0'));
        std::string folder = program.substr(0, program.rfind('/') + 1);
        candidates.push_back(folder + kDesktopModuleFromProgram);
    }
    candidates.emplace_back(kDesktopModuleInBuild);
    return candidates;
}

}  // namespace

const FrontEnd* DesktopFrontEnd() {
    if (!IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY")) return nullptr;
    for (const std::string& path : ModuleCandidates()) {
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) continue;
        auto open = reinterpret_cast<OpenDesktopFunction>(dlsym(module, kDesktopEntryName));
        // The module stays loaded for the rest of the run, whatever it answers.
        return open != nullptr ? open(&kHost) : nullptr;
    }
    return nullptr;
}
