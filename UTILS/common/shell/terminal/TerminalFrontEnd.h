// The interactive terminal front end (POSIX): standard input and output on a
// terminal in raw mode, keys acting as they are typed, file choices as a
// prompt prefilled with the proposed path.
#ifndef UTILS_COMMON_SHELL_TERMINAL_TERMINAL_FRONT_END_H
#define UTILS_COMMON_SHELL_TERMINAL_TERMINAL_FRONT_END_H

#include "shell/core/FrontEnd.h"

const FrontEnd& TerminalFrontEnd();

#endif
