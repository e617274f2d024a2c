// The program folder and the remembered input and output folders.
//
// The folder files indir.txt and outdir.txt live beside the program when its
// folder can be written. When it cannot (an installed program in /usr/bin),
// they live in the user's state folder ($XDG_STATE_HOME/vantrel/<program>/,
// by default ~/.local/state/vantrel/<program>/; on Windows
// %LOCALAPPDATA%\Vantrel\<program>\) and a first run starts in the user's
// current folder instead of the program's. --no-remember leaves the folder
// files alone: nothing is read or written, the folders start as on a first run.
#ifndef UTILS_COMMON_SHELL_CORE_REMEMBERED_FOLDERS_H
#define UTILS_COMMON_SHELL_CORE_REMEMBERED_FOLDERS_H

#include "shell/platform/FileSystem.h"

// The running program's folder, with its trailing separator.
const char* ProgramFolder();
// The remembered input and output folders, without a trailing separator;
// "." before start-up has read them.
extern char InputFolder[kPathBufferSize];
extern char OutputFolder[kPathBufferSize];

enum class RememberedFolder { Input, Output };
// Reads indir.txt and outdir.txt (start-up): the first line, at most 255
// characters, a line end read with it kept. A missing file gives the starting
// folder (the program folder without its separator, or the current folder
// when the folder files live in the state folder); an empty one leaves the
// folder as it was.
void LoadRememberedFolders();
// After a successful ChooseFile: the chosen path's folder (everything before
// its last separator; nothing happens when it has none) becomes the
// remembered one and is written, without a line end, to indir.txt /
// outdir.txt when it differs byte for byte. A folder file that cannot be
// written is skipped; the folder is still kept for the rest of the run.
void RememberChosenFolder(const char* chosenPath, RememberedFolder which);

// ---- For the shell's start-up and the tests ----

// The program folder from the program's full path: cut right after its last
// separator ('\\' or '/', on every platform); a path without one is kept
// whole. The folder files are then placed beside the program.
void InitProgramFolder(const char* programPath);
// Moves the folder files to the user's state folder when the program folder
// cannot be written (start-up, after InitProgramFolder).
void PlaceFolderFiles(const char* programName);
// --no-remember: the folder files are neither read nor written.
void LeaveFolderFilesAlone();
// The folder that holds indir.txt and outdir.txt, with its trailing
// separator; empty when they are left alone.
const char* FolderFilesFolder();
// Program folder "", both remembered folders ".", folder files beside the program.
void ResetFolders();

#endif
