// The terminal front end's file choice: a prompt prefilled with the proposed
// path. On a terminal in raw mode the line is edited (LineEditor: cursor
// keys, Home, End, Backspace, Delete, Up and Down for the run's earlier
// answers) and Tab completes file names (FileCompletion). A typed relative
// name is taken in the folder of the proposed path, the folder on screen.
#ifndef UTILS_COMMON_SHELL_TERMINAL_TERMINAL_PROMPT_H
#define UTILS_COMMON_SHELL_TERMINAL_TERMINAL_PROMPT_H

#include <string>

#include "shell/core/FrontEnd.h"

// The front end's chooseFile (shell/core/FrontEnd.h).
bool ChooseFileAtPrompt(void*, const char* proposed, const FileFilter& filter, char mode,
                        std::string& chosen);
// Asks a yes/no question; true for y or Y.
bool AskYes(const std::string& question);

#endif
