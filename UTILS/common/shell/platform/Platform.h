// What each platform supplies to the shell's portable core, besides the
// public services of FileSystem.h. POSIX: posix/*.cpp (ToolShellPosix);
// Windows: win32/ (ToolShellWin32). Exactly one platform library is linked
// into a program. A platform calls nothing of the layers above it: no core
// service, no front end.
#ifndef UTILS_COMMON_SHELL_PLATFORM_PLATFORM_H
#define UTILS_COMMON_SHELL_PLATFORM_PLATFORM_H

#include <cstddef>
#include <cstdio>
#include <string>

// The running program's full path into buffer. False when the system cannot
// tell or the path does not fit in size - 1 characters. The core passes a
// buffer far larger than a path buffer, so that it can name a path longer
// than 255 characters when it refuses it.
bool QueryProgramPath(char* buffer, std::size_t size);

// A new, empty temporary file in target's folder, opened for binary writing;
// its name goes to temporaryPath. Null when it cannot be created. A platform
// may remove the temporaries still open when the process is ended by a signal.
std::FILE* CreateTemporaryBeside(const char* target, std::string& temporaryPath);
// Removes a temporary that will not be used (the tool gave up).
void RemoveTemporary(const char* temporaryPath);
// Renames the (closed) temporary over target, replacing it in one step; the
// temporary takes over the permission bits of a target it replaces.
bool MoveOver(const char* temporaryPath, const char* target);

// True when this process may create files in folder ("" is the current folder).
bool CanWriteFolder(const char* folder);
// The user's folder for the state of program, with its trailing separator
// ($XDG_STATE_HOME/vantrel/<program>/ or ~/.local/state/vantrel/<program>/;
// %LOCALAPPDATA%\Vantrel\<program>\ on Windows). Empty when the system names
// no such place.
std::string UserStateFolder(const char* programName);
// Creates folder and the folders above it that are missing, for this user
// only where the system allows. True when it exists afterwards.
bool MakeFolders(const std::string& folder);
// The current folder, without a trailing separator; empty when unknown.
std::string CurrentFolder();

// Asks the desktop to open file (working folder folder) with its "open" verb;
// owner is the native window that asks, or null. True when accepted.
bool OpenWithDesktop(const char* file, const char* folder, void* owner);

#endif
