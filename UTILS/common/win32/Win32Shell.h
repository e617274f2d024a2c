// The Win32 backend of the tool shell: the tool's window, its message loop and
// window procedure, and the message boxes. ToolShell.h's services (ChooseFile,
// ReportFatal, SetToolTitle, ...) reach the window through the functions here
// when the program runs without command-line arguments.
//
// One thread: the loop, the window procedure and every key handler run on the
// thread that called RunToolLoop. Failures of the window system are not
// reported upward: a class that cannot be registered ends the program with exit
// code 0 and no message; a window that cannot be created leaves the loop
// running without one, as the tools have always done.
#ifndef UTILS_COMMON_WIN32_WIN32_SHELL_H
#define UTILS_COMMON_WIN32_WIN32_SHELL_H

#include <windows.h>

#include "../ToolShell.h"

// The window's style: caption, system menu and minimise box; no sizing border,
// no maximise box.
constexpr DWORD kToolWindowStyle = 0x00CA0000;
static_assert(kToolWindowStyle == (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));

// The outer window is the client area plus the frame and the caption.
constexpr int kFrameExtraWidth = 6;
constexpr int kFrameExtraHeight = 25;

// Start-up: program folder and remembered folders, single instance, window
// class, the centred window, the tool's title, RGB565. False when another copy
// already runs or the class cannot be registered.
bool InitToolWindow(const ToolParameters& tool, HINSTANCE instance, HINSTANCE previousInstance,
                    int showCommand);

// InitToolWindow, then the message loop until the quit message. Returns the
// quit message's exit code, or 0 when InitToolWindow failed. commandLine is not
// looked at.
int RunToolLoop(const ToolParameters& tool, HINSTANCE instance, HINSTANCE previousInstance,
                LPSTR commandLine, int showCommand);

LRESULT CALLBACK ToolWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The tool window, or null before it is created and after it is destroyed.
HWND ToolWindowHandle();

// The window front end's parts of the shell services.
[[noreturn]] void ReportFatalInWindow(const char* text);
bool ChooseFileInDialog(char* path, const char* filter, char mode);

// The program's own path as the system reports it; a fatal error when it does
// not fit a path buffer.
void ReadProgramPath(char (&path)[kPathBufferSize]);

#endif
