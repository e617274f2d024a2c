// The Win32 window front end of the tool shell: the tool's window with its
// message loop and window procedure, the standard open and save dialogs, and
// the message boxes. The portable core (shell/core/FrontEnd.h) does the
// remembered folders, the output files and the fatal sequence; the start-up
// runs this front end for a start without arguments. What Windows supplies
// below the core (shell/platform/Platform.h) is the platform library of
// shell/win32/.
//
// One thread: the loop, the window procedure and every key handler run on the
// thread that started the tool. Window-system failures are not reported
// upward: a class that cannot be registered ends the program with exit code 0
// and no message; a window that cannot be created leaves the loop running
// without one.
#ifndef UTILS_COMMON_SHELL_WINDOW_TOOL_WINDOW_H
#define UTILS_COMMON_SHELL_WINDOW_TOOL_WINDOW_H

#include <windows.h>

#include <string>

#include "shell/core/FrontEnd.h"

// Caption, system menu and minimise box; no sizing border, no maximise box.
constexpr DWORD kToolWindowStyle = 0x00CA0000;
static_assert(kToolWindowStyle == (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));

// The outer window is the client area plus the frame and the caption.
constexpr int kFrameExtraWidth = 6;
constexpr int kFrameExtraHeight = 25;

// The tool's window as a front end of the shell.
const FrontEnd& ToolWindowFrontEnd();

// Single instance: when a top-level window of the tool's class exists, brings
// it to the top and returns false (the program then ends with exit code 0).
bool ClaimToolWindowClass(const ToolParameters& tool);
// Registers the class and creates, shows and updates the centred window.
// False when the class cannot be registered.
bool InitToolWindow(const ToolParameters& tool);
// The message loop until the quit message; returns its exit code.
int RunToolLoop(const ToolParameters& tool);
LRESULT CALLBACK ToolWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The tool window, or null before it is created and after it is destroyed.
HWND ToolWindowHandle();

#endif
