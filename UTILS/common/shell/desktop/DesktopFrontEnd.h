// The desktop window front end (GTK 3), for a start without arguments where a
// display is reachable.
#ifndef UTILS_COMMON_SHELL_DESKTOP_DESKTOP_FRONT_END_H
#define UTILS_COMMON_SHELL_DESKTOP_DESKTOP_FRONT_END_H

#include "shell/core/FrontEnd.h"

// The front end, or nullptr when this build has none or no display is
// reachable. Supplied by the desktop library linked into the program
// (ToolShellNoDesktop when there is none).
const FrontEnd* DesktopFrontEnd();

#endif
