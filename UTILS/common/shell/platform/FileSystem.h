// What the platform's file system offers the tools: the path buffer size, the
// folder separator, a directory listing and a file time text. Each platform
// (posix/, win32/) defines these; they call nothing above the platform.
#ifndef UTILS_COMMON_SHELL_PLATFORM_FILE_SYSTEM_H
#define UTILS_COMMON_SHELL_PLATFORM_FILE_SYSTEM_H

#include <Vantrel/dynlist.h>

// Every path, folder and dialog buffer holds at most 255 characters and the
// terminating zero. A longer path is refused with a fatal text, never
// truncated silently.
constexpr int kPathBufferSize = 256;

// The folder separator the tools write: '\\' on Windows, '/' elsewhere.
extern const char kPathSeparator;
// True for the separators the platform accepts when splitting a chosen path:
// '/' on POSIX; '\\' and '/' on Windows.
bool IsPathSeparator(char c);

// Lists the names matching pattern (e.g. "/art/*.tga") into list, which then
// owns the strings (tracked allocator, free them with DebugFree). Names come
// without their folder, sorted. Returns 0, or -1 when nothing matches.
int ListDirectory(const char* pattern, DynList<char*>& list, bool dropExtensions);
// The file's creation time (its last change where the system keeps no
// creation time) as the 26-byte time text "Wed Jan 02 02:03:55 1980\n" in
// output (at least 26 bytes). Returns 0, or -1 when the file cannot be examined.
int FileTimeText(const char* path, char* output);

#endif
