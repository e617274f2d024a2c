// The Win32 open and save dialogs, owned by the active window.
#ifndef UTILS_COMMON_SHELL_WINDOW_FILE_DIALOGS_H
#define UTILS_COMMON_SHELL_WINDOW_FILE_DIALOGS_H

#include <string>

#include "shell/core/FrontEnd.h"

// The dialog of mode ('w': save, else open) starting from proposed, with the
// filter's pairs; on true chosen holds the answer the dialog accepted.
bool ChooseFileInDialog(const char* proposed, const FileFilter& filter, char mode,
                        std::string& chosen);

#endif
