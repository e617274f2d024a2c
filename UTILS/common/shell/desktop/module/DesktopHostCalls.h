// Inside the desktop module: the program's table of core services
// (DesktopModule.h), kept for the module's calls of those services by their
// usual names.
#ifndef UTILS_COMMON_SHELL_DESKTOP_MODULE_DESKTOP_HOST_CALLS_H
#define UTILS_COMMON_SHELL_DESKTOP_MODULE_DESKTOP_HOST_CALLS_H

#include "shell/desktop/DesktopModule.h"

// host lives as long as the program.
void KeepDesktopHost(const DesktopHost* host);

#endif
