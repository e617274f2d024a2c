// The front end for a start without arguments: the desktop window when one is
// built in and a display is reachable, else the terminal.
#include <unistd.h>

#include "shell/desktop/DesktopFrontEnd.h"
#include "shell/terminal/TerminalFrontEnd.h"
#include "shell/start/InteractiveFrontEnd.h"

const FrontEnd* PickInteractiveFrontEnd(const ToolParameters&) {
    if (const FrontEnd* desktop = DesktopFrontEnd()) return desktop;
    if (isatty(STDIN_FILENO) && isatty(STDOUT_FILENO)) return &TerminalFrontEnd();
    return nullptr;
}
