// The front end for a start without arguments on Windows: the tool's window.
#include "shell/win32/Win32Shell.h"
#include "ToolStart.h"

const FrontEnd* PickInteractiveFrontEnd(const ToolParameters&) {
    return &ToolWindowFrontEnd();
}
