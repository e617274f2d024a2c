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
// (shell/console/, shell/terminal/, shell/desktop/, shell/win32/ToolWindow)
// -> core (shell/*.cpp) -> platform (shell/posix/, shell/win32/). The
// internal interface a front end implements is shell/FrontEnd.h, what a
// platform supplies is shell/Platform.h. This header gathers what the tools'
// logic uses: shell/Paths.h, shell/Folders.h, shell/OutputFiles.h and
// shell/FileSystem.h hold the paths, the remembered folders, the output files
// and the file-system services.
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

#include <cstdint>
#include <cstdio>

#include <Vantrel/Fatal.h>

#include "shell/FileSystem.h"
#include "shell/Folders.h"
#include "shell/OutputFiles.h"
#include "shell/Paths.h"

// A command-line flag of a tool's batch front end. It sets the same state the
// tool's keys toggle.
struct ToolFlag {
    const char* name;       // "--border"
    const char* valueName;  // "0|1" when the flag takes a value, else nullptr
    const char* help;       // one line for --help
    // Applies the flag; value is nullptr for a switch. Returns false when the
    // value is refused (a usage error, exit code 2).
    bool (*apply)(const char* value);
};

struct ToolParameters {
    const char* programName;  // lower-case executable name for --help, e.g. "quarvin"
    const char* className;    // window class, also the window's first title
    int clientWidth;
    int clientHeight;
    void (*updateTitle)();          // called once after the window exists; may be null
    void (*onKeyRelease)(int key);  // every key release but Q
    int runKey;                     // the key whose release runs the tool's job in batch mode
    const char* inputHelp;          // positional argument in --help, e.g. "FRAME.tga"
    const char* outputHelp;         // -o argument in --help, e.g. "OUT.sh"
    const char* summary;            // one line for --help
    const ToolFlag* flags;
    int flagCount;
};

// Runs the tool: command line, start-up (program folder, remembered folders,
// single instance, window, title, RGB565 pixel mode), the front end's loop,
// and the exit code. --help and --version print and return 0.
int RunTool(const ToolParameters& tool, int argc, char** argv);

// ---- Services for the tools' logic ----

// Lets the user choose a file. path holds the proposed path on entry (a folder
// with a wildcard pattern, or a folder with a proposed name) and the chosen
// full path on return with true. filter is a list of pairs of zero-terminated
// strings (description, pattern) ended by an empty string. mode 'w' asks for a
// file to write ("File To Write", the folder must exist, asks before replacing
// an existing file); any other mode for a file to read ("File To Read", the
// file must exist). Returns false when the user cancelled. A chosen path
// longer than 255 characters ends the program through ReportFatal.
bool ChooseFile(char* path, const char* filter, char mode);

// Replaces the window title.
void SetToolTitle(const char* title);
// The current title (the class name until the first SetToolTitle).
const char* ToolTitle();

// An information box titled "Info" (at most 4095 characters).
void ShowInfo(const char* format, ...);
// The front end's loop ends after the running key handler, with exit code 0.
void RequestQuit();
void CloseToolWindow();
void MinimizeToolWindow();
// Asks the desktop to open file (working folder folder); true when accepted.
bool ShellOpen(const char* file, const char* folder, bool minimizeFirst);
bool IsToolActive();

// ReportFatal (Vantrel/Fatal.h): abandons every output file still open, shows
// "Fatal Error" and the text (standard error on a console), closes the window
// and ends the process with exit code 1. The test backend throws instead.

#endif
