// The desktop's own dialogs for the tool shell (GTK 3).
//
// RunFileChooser is the open or save dialog behind ChooseFile: titled "File To
// Read" or "File To Write", it opens in the folder of the proposed path with
// the tool's filter, fills in a proposed name when saving and asks before an
// existing file is replaced. An answer the shell refuses (a missing file, a
// missing folder, a read-only file, ...) is explained in a message and the
// dialog stays. RunMessageDialog is the modal box of "Fatal Error" and "Info".
// Both run the toolkit's nested loop and return when the user is done.
#ifndef UTILS_COMMON_SHELL_DESKTOP_MODULE_DESKTOP_DIALOGS_H
#define UTILS_COMMON_SHELL_DESKTOP_MODULE_DESKTOP_DIALOGS_H

#include <gtk/gtk.h>

#include <string>

#include "shell/core/FrontEnd.h"

// True with the accepted, absolute path in chosen; false when cancelled.
bool RunFileChooser(GtkWindow* owner, const char* proposed, const FileFilter& filter, char mode,
                    std::string& chosen);

// A modal box with text, an OK button and a warning (or information) icon.
void RunMessageDialog(GtkWindow* owner, const char* title, const char* text, bool warning);

#endif
