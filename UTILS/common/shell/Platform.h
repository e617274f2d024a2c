// What each platform supplies to the shell's portable core, besides the
// public functions it defines itself (kPathSeparator, IsPathSeparator,
// ListDirectory, FileTimeText, ShellOpen).
//
// POSIX: posix/*.cpp; Win32: its own backend library. Exactly one platform
// library is linked into a program.
#ifndef UTILS_COMMON_SHELL_PLATFORM_H
#define UTILS_COMMON_SHELL_PLATFORM_H

#include <cstddef>
#include <cstdio>
#include <string>

#include "ToolShell.h"
#include "FrontEnd.h"

// The running program's full path into buffer. False when the system cannot
// tell or the path does not fit in size - 1 characters. The core passes a
// buffer far larger than a path buffer, so that it can name a path longer
// than 255 characters when it refuses it.
bool QueryProgramPath(char* buffer, std::size_t size);

// The front end for a start without arguments (the window, the terminal),
// or nullptr when there is none (the core then prints the usage, exit 2).
const FrontEnd* PickInteractiveFrontEnd(const ToolParameters& tool);

// A new, empty temporary file in target's folder, opened for binary writing;
// its name goes to temporaryPath. Null when it cannot be created. A platform
// may remove the temporaries still open when the process is ended by a signal.
std::FILE* CreateTemporaryBeside(const char* target, std::string& temporaryPath);
// Removes a temporary that will not be used (the tool gave up).
void RemoveTemporary(const char* temporaryPath);
// Renames the (closed) temporary over target, replacing it in one step; the
// temporary takes over the permission bits of a target it replaces.
bool MoveOver(const char* temporaryPath, const char* target);

#endif
