// The front end for a start without arguments on Windows: the tool's window.
#include "shell/window/ToolWindow.h"
#include "shell/start/InteractiveFrontEnd.h"

const FrontEnd* PickInteractiveFrontEnd(const ToolParameters&) {
    return &ToolWindowFrontEnd();
}
