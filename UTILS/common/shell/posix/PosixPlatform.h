// The POSIX platform's own services for the front ends built on it (the
// terminal, and a desktop window where one is built in).
#ifndef UTILS_COMMON_SHELL_POSIX_POSIX_PLATFORM_H
#define UTILS_COMMON_SHELL_POSIX_POSIX_PLATFORM_H

// One copy per tool class: takes an exclusive lock on a file named after the
// class in $XDG_RUNTIME_DIR (or the temporary folder), held until the process
// ends. False when another process holds it; runningPid then holds its
// process id (0 when unknown).
bool ClaimToolClassLock(const char* className, long& runningPid);

// Unlinks the temporary output files still open; safe in a signal handler.
void RemoveTemporariesOnSignal();

// Removes the temporaries of target ("<target>.tmp-<pid>-<hex>", in target's
// folder only) whose writing process no longer exists. Files of any other
// name, and those of live processes, stay.
void RemoveStaleTemporaries(const char* target);

#endif
