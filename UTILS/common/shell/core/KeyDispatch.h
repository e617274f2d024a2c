// Key releases and quitting: Q quits (exit code 0), every other key release
// goes to the tool's handler.
#ifndef UTILS_COMMON_SHELL_CORE_KEY_DISPATCH_H
#define UTILS_COMMON_SHELL_CORE_KEY_DISPATCH_H

#include "shell/core/ToolParameters.h"

// Q: quit; any other key: the tool's handler. Called by the front ends.
void DispatchKeyRelease(const ToolParameters& tool, int key);

// The front end's loop ends after the running key handler, with exit code 0.
void RequestQuit();
bool QuitRequested();
// The exit code of a requested quit: always 0. Part of the shell's described
// interface; the front ends' loops return it.
int QuitExitCode();
void ClearQuitRequest();

#endif
