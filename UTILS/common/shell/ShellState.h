// Process-wide state of the shell core that front ends, the start-up and the
// tests reach directly.
#ifndef UTILS_COMMON_SHELL_SHELL_STATE_H
#define UTILS_COMMON_SHELL_SHELL_STATE_H

#include <cstdio>

// The program folder from the program's full path: cut right after its last
// separator ('\\' or '/', on every platform); a path without one is kept whole.
void InitProgramFolder(const char* programPath);

// Tests: program folder "", both remembered folders ".", no title, no quit
// request, no output file open.
void ResetToolShellState();

// Program folder "", both remembered folders "." (part of ResetToolShellState).
void ResetFolders();

// Closes and removes every temporary output file still open (fatal path).
void AbandonAllOutputFiles();
// BeginOutputFile without the front end's "written" notice (indir.txt, outdir.txt).
std::FILE* BeginQuietOutputFile(const char* path);

// Runs the tool with the given front end from start-up to the exit code.
struct FrontEnd;
struct ToolParameters;
int RunToolWith(const ToolParameters& tool, const FrontEnd& frontEnd);

#endif
