// RunTool on Windows: without command-line arguments the tool is its window;
// with arguments the batch front end answers the dialogs from them.
#include "Win32Shell.h"

int RunTool(const ToolParameters& tool, int /*argc*/, char** /*argv*/) {
    STARTUPINFOA startup{};
    GetStartupInfoA(&startup);
    int showCommand =
        (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
    return RunToolLoop(tool, GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), showCommand);
}

bool ChooseFile(char* path, const char* filter, char mode) {
    return ChooseFileInDialog(path, filter, mode);
}

void ReportFatal(const char* text) {
    ReportFatalInWindow(text);
}

void SetToolTitle(const char* title) {
    if (ToolWindowHandle() != nullptr) SetWindowTextA(ToolWindowHandle(), title);
}
