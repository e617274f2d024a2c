// Returning the whole shell to its state before start-up (tests).
#ifndef UTILS_COMMON_SHELL_CORE_SHELL_RESET_H
#define UTILS_COMMON_SHELL_CORE_SHELL_RESET_H

// Program folder "", both remembered folders ".", no title, no quit request,
// no output file open, no dependency file, the bare front end active.
void ResetToolShellState();

#endif
