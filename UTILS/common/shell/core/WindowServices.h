// The tool's window as the tools' logic sees it: its title, an information
// box, closing and minimising it, and asking the desktop to open a file.
//
// MinimizeToolWindow, ShellOpen and IsToolActive have no caller among the
// three tools: they are part of the shell's described interface and are kept
// for tools that want them.
#ifndef UTILS_COMMON_SHELL_CORE_WINDOW_SERVICES_H
#define UTILS_COMMON_SHELL_CORE_WINDOW_SERVICES_H

// Replaces the window title.
void SetToolTitle(const char* title);
// The current title (the class name until the first SetToolTitle).
const char* ToolTitle();

// An information box titled "Info" (at most 4095 characters).
void ShowInfo(const char* format, ...);
void CloseToolWindow();
void MinimizeToolWindow();
// Asks the desktop to open file (working folder folder); true when accepted.
bool ShellOpen(const char* file, const char* folder, bool minimizeFirst);
// Always true: the loop asks it before it waits.
bool IsToolActive();

#endif
