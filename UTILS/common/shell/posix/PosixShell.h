// The POSIX backend's own pieces, shared by its front ends (terminal, and a
// desktop window where one is built in).
#ifndef UTILS_COMMON_SHELL_POSIX_POSIX_SHELL_H
#define UTILS_COMMON_SHELL_POSIX_POSIX_SHELL_H

#include "shell/FrontEnd.h"

// One copy per tool class: takes an exclusive lock on a file named after the
// class in $XDG_RUNTIME_DIR (or the temporary folder), held until the process
// ends. False when another process holds it; runningPid then holds its
// process id (0 when unknown).
bool ClaimToolClassLock(const char* className, long& runningPid);

// Unlinks the temporary output files still open; safe in a signal handler.
void RemoveTemporariesOnSignal();

// The interactive terminal front end (standard input and output on a terminal).
const FrontEnd& TerminalFrontEnd();

// The desktop window front end, or nullptr when this build has none or no
// display is reachable. Supplied by the desktop library linked into the
// program (ToolShellNoDesktop when there is none).
const FrontEnd* DesktopFrontEnd();

#endif
