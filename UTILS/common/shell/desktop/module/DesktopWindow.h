// Inside the desktop module: the tool's window as a front end (GTK 3).
#ifndef UTILS_COMMON_SHELL_DESKTOP_MODULE_DESKTOP_WINDOW_H
#define UTILS_COMMON_SHELL_DESKTOP_MODULE_DESKTOP_WINDOW_H

#include "shell/core/FrontEnd.h"

// The front end, or null when no display is reachable.
const FrontEnd* OpenDesktopWindow();

#endif
