// The names in a folder and whether each is a folder, for the completion of
// the terminal's file prompt.
#ifndef UTILS_COMMON_SHELL_TERMINAL_FOLDER_ENTRIES_H
#define UTILS_COMMON_SHELL_TERMINAL_FOLDER_ENTRIES_H

#include <string>
#include <vector>

#include "shell/terminal/FileCompletion.h"

// folder "" is the current folder. A link counts as what it points to. Empty
// when the folder cannot be read.
std::vector<FolderEntry> ListFolderEntries(const std::string& folder);

#endif
