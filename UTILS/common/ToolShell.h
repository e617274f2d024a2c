// The tool shell shared by Quarvin, Plimsor and Dessamor.
//
// A tool is its parameters (class name, client size, title update, key
// handler, command-line flags) plus its own logic. The logic reaches the
// platform only through the free functions below: choose a file, report a
// fatal text and end, set the title, know the program folder and the
// remembered folders. Everything else (window, dialogs, message boxes, or
// their stand-ins on a console) belongs to a backend, picked at build time by
// source file:
//   - Win32: the window, the common dialogs and MessageBoxA;
//   - POSIX: front ends picked at run time: batch (command-line arguments
//     answer the dialogs), script (--script FILE|- feeds key releases and
//     dialog answers, echoes titles and dialogs), interactive terminal (no
//     arguments on a terminal), and a desktop window where one is built in;
//   - tests: a backend whose ReportFatal throws and whose dialogs answer from
//     a queue.
//
// Keys are virtual-key codes: an upper-case letter's code is its ASCII value
// ('I', 'Q', ...). Keys act on release; Q quits with exit code 0.
//
// Exit codes: 0 after a normal quit, a cancel, or when another copy of the tool
// already runs; 1 after a fatal error; 2 for a command-line usage error.
#ifndef UTILS_COMMON_TOOL_SHELL_H
#define UTILS_COMMON_TOOL_SHELL_H

#include <cstdint>
#include <cstdio>

#include "../../Vantrel/Fatal.h"
#include "../../Vantrel/dynlist.h"

// Every path, folder and dialog buffer holds at most 255 characters and the
// terminating zero. A longer path is refused with a fatal text, never
// truncated silently.
constexpr int kPathBufferSize = 256;

// The folder separator the tools write: '\\' on Windows, '/' elsewhere.
extern const char kPathSeparator;

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
    void (*updateTitle)();            // called once after the window exists; may be null
    void (*onKeyRelease)(int key);    // every key release but Q
    int runKey;                       // the key whose release runs the tool's job in batch mode
    const char* inputHelp;            // positional argument in --help, e.g. "FRAME.tga"
    const char* outputHelp;           // -o argument in --help, e.g. "OUT.sh"
    const char* summary;              // one line for --help
    const ToolFlag* flags;
    int flagCount;
};

// Runs the tool: start-up (program folder, remembered folders, single instance,
// window, title, RGB565 pixel mode), the front end's loop, and the exit code.
int RunTool(const ToolParameters& tool, int argc, char** argv);

// ---- Services for the tools' logic ----

// Lets the user choose a file. path holds the proposed path on entry (a folder
// with a wildcard pattern, or a folder with a proposed name) and the chosen
// full path on return with true. filter is a list of pairs of zero-terminated
// strings (description, pattern) ended by an empty string. mode 'w' asks for a
// file to write ("File To Write", asks before replacing an existing file);
// any other mode for a file to read ("File To Read", the file must exist).
// Returns false when the user cancelled.
bool ChooseFile(char* path, const char* filter, char mode);

// Replaces the window title.
void SetToolTitle(const char* title);

// An information box titled "Info" (at most 4095 characters).
void ShowInfo(const char* format, ...);
void RequestQuit();
void CloseToolWindow();
void MinimizeToolWindow();
bool ShellOpen(const char* file, const char* folder, bool minimizeFirst);
bool IsToolActive();

// ---- Program folder and remembered folders ----

// The running program's folder, with its trailing separator.
const char* ProgramFolder();
// The remembered input and output folders, without a trailing separator;
// "." before start-up has read them.
extern char InputFolder[kPathBufferSize];
extern char OutputFolder[kPathBufferSize];

enum class RememberedFolder { Input, Output };
// Reads indir.txt and outdir.txt from the program folder (start-up).
void LoadRememberedFolders();
// After a successful ChooseFile: the chosen path's folder becomes the
// remembered one and is written to indir.txt / outdir.txt when it differs. A
// program folder that cannot be written is skipped; the folder is still kept
// for the rest of the run.
void RememberChosenFolder(const char* chosenPath, RememberedFolder which);

// ---- Output files ----
//
// Every output (.sh, .shp, indir.txt, outdir.txt) is written to a temporary
// file in the target's folder and renamed over the target only when complete:
// after a fatal error or a cancel the previous file is untouched and nothing
// partial is left behind.

// Creates the temporary file for path and returns its stream (binary), or
// null when it cannot be created.
std::FILE* BeginOutputFile(const char* path);
// Flushes and closes the stream and renames the temporary over the target.
// Returns false (and removes the temporary) when any of that failed.
bool FinishOutputFile(std::FILE* stream);
// Closes the stream and removes its temporary; the target stays as it was.
void AbandonOutputFile(std::FILE* stream);
// ReportFatal abandons every output file still open before the process ends.

// ---- File-system services ----

// Lists the names matching pattern (e.g. "/art/*.tga") into list, which then
// owns the strings (tracked allocator). Returns 0, or -1 when nothing matches.
int ListDirectory(const char* pattern, DynList<char*>& list, bool dropExtensions);
// The file's time as the runtime's 26-byte time text ("Wed Jan 02 02:03:55
// 1980\n"), or -1 when the file cannot be examined.
int FileTimeText(const char* path, char* output);

#endif
