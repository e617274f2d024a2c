// How the parts inside the desktop module meet: the entry point keeps the
// program's table (DesktopHostCalls.cpp) and opens the front end
// (DesktopFrontEnd.cpp).
#ifndef UTILS_COMMON_SHELL_DESKTOP_DESKTOP_MODULE_PARTS_H
#define UTILS_COMMON_SHELL_DESKTOP_DESKTOP_MODULE_PARTS_H

#include "DesktopModule.h"

void KeepDesktopHost(const DesktopHost* host);
// The front end, or null when no display is reachable.
const FrontEnd* OpenDesktopFrontEnd();

#endif
