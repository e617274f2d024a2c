// The desktop window front end is a module of its own (vantrel-desktop.so),
// opened at run time only when a program starts without arguments on a
// display. Batch, script and terminal runs therefore load no toolkit, and the
// programs start on a machine that has none.
//
// The program hands the module the core services it needs as a table (the
// module sees nothing else of the program), and the module hands back its
// front end. Both come from the same build: a module whose table differs in
// version or size is refused.
#ifndef UTILS_COMMON_SHELL_DESKTOP_DESKTOP_MODULE_H
#define UTILS_COMMON_SHELL_DESKTOP_DESKTOP_MODULE_H

#include <cstddef>
#include <string>

#include "shell/core/DialogAnswer.h"
#include "shell/core/FrontEnd.h"

constexpr int kDesktopModuleVersion = 2;

struct DesktopHost {
    int version;       // kDesktopModuleVersion
    std::size_t size;  // sizeof(DesktopHost)
    void (*dispatchKeyRelease)(const ToolParameters& tool, int key);
    void (*requestQuit)();
    bool (*quitRequested)();
    int (*quitExitCode)();
    std::string (*absolutePath)(const char* answer);
    DialogAnswer (*checkDialogAnswer)(const char* path, char mode);
    const char* (*dialogRefusalText)(DialogAnswer answer);
    bool (*claimToolClassLock)(const char* className, long& runningPid);
};

// The module's one entry point, exported under this name (module/DesktopModule.cpp):
// the front end, or null when no display is reachable. host lives as long as
// the program.
constexpr char kDesktopEntryName[] = "VantrelOpenDesktop";
using OpenDesktopFunction = const FrontEnd* (*)(const DesktopHost* host);

#endif
