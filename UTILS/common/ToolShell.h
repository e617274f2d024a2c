// The tool shell shared by Quarvin, Plimsor and Dessamor.
//
// A tool is its parameters (class name, client size, title update, key
// handler, command-line flags) plus its own logic. The logic reaches the
// platform only through the free functions below: choose a file, report a
// fatal text and end, set the title, know the program folder and the
// remembered folders, write output files safely. Everything else (window,
// dialogs, message boxes, or their stand-ins on a console) belongs to a
// backend, picked at build time by source file:
//   - Win32: the window, the common dialogs and MessageBoxA;
//   - POSIX: front ends picked at run time: batch (command-line arguments
//     answer the dialogs), script (--script FILE|- feeds key releases and
//     dialog answers, echoes titles and dialogs), interactive terminal (no
//     arguments on a terminal), and a desktop window where one is built in
//     (a module opened at run time, so console runs load no toolkit);
//   - tests: a backend whose ReportFatal throws and whose dialogs answer from
//     a queue (tests/support/TestShell.h).
// The shell runs in one direction: start-up (shell/start/) -> front ends
// (shell/console/, shell/terminal/, shell/desktop/, shell/window/) -> core
// (shell/core/) -> platform (shell/posix/ or shell/win32/, which supply
// shell/platform/). The internal interface a front end implements is
// shell/core/FrontEnd.h, what a platform supplies is shell/platform/Platform.h.
// This header is what the tools' logic includes: it gathers the shell's
// public headers, each declaring one service (the parameters, file choice,
// the window, quitting, paths, remembered folders, output files, warnings,
// the job under way, the file system, RunTool). Nothing in shell/ includes it.
//
// Each program is a logic library plus a main of this form, its client size
// written once, in <Program>Tool.h:
//     extern const int ProgramScreenWidth = kDessamorClientWidth;
//     extern const int ProgramScreenHeight = kDessamorClientHeight;
//     int main(int argc, char** argv) { return RunTool(DessamorTool(), argc, argv); }
//
// Keys are virtual-key codes: an upper-case letter's code is its ASCII value
// ('I', 'Q', ...), a digit's its ASCII value, Enter 13, Space 32. Keys act on
// release; the shell handles Q itself (quit, exit code 0) and hands every
// other release to the tool.
//
// Exit codes: 0 after a normal quit, a cancel, or when another copy of the tool
// already runs; 1 after a fatal error; 2 for a command-line usage error.
//
// Script front end (--script FILE, or - for standard input), one command a line:
//     key X        release of key X: a letter (either case), a digit, or a
//                  decimal code such as "key 13"
//     file PATH    answers the next file dialog with PATH (a relative path is
//                  taken from the current folder)
//     cancel       cancels the next file dialog
//     quit         ends the session (exit code 0); so does the end of input
//     # ...        a comment; blank lines are skipped
// A dialog takes the next non-comment line as its answer; that line must be
// "file" or "cancel" (end of input cancels). An answer the dialog refuses (a
// missing file to read, a missing folder, a read-only file to write) is echoed
// as "refused" and the dialog takes the next line. A file to write that
// exists is replaced without a question: the answer is the confirmation.
// Echoed on standard output, one line each:
//     title TEXT                       every title change, the first being the class name
//     dialog File To Read|File To Write
//     proposed PATH                    the path the dialog starts from
//     filter DESCRIPTION|PATTERN       the first filter pair
//     chosen PATH  |  cancelled  |  refused PATH: REASON
//     info TEXT                        ShowInfo
//     written PATH                     an output file of the tool completed
//     fatal TEXT                       also "Fatal Error: TEXT" on standard error
// In echoed texts and in answers, a backslash is written \\, a line feed \n,
// a carriage return \r and any other control byte \xHH.
// A script line the protocol does not know ends the session with exit code 2.
#ifndef UTILS_COMMON_TOOL_SHELL_H
#define UTILS_COMMON_TOOL_SHELL_H

#include <Vantrel/Fatal.h>

#include "shell/core/FileChoice.h"
#include "shell/core/KeyDispatch.h"
#include "shell/core/OutputFiles.h"
#include "shell/core/Paths.h"
#include "shell/core/RememberedFolders.h"
#include "shell/core/ToolJob.h"
#include "shell/core/ToolParameters.h"
#include "shell/core/Warnings.h"
#include "shell/core/WindowServices.h"
#include "shell/platform/FileSystem.h"
#include "shell/start/RunTool.h"

// ReportFatal (Vantrel/Fatal.h): abandons every output file still open, shows
// "Fatal Error" and the text (standard error on a console), closes the window
// and ends the process with exit code 1. The test backend throws instead.

#endif
