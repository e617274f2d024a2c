// The public services of the shell, routed to the active front end.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "ToolShell.h"
#include "shell/FrontEnd.h"
#include "shell/Platform.h"
#include "shell/ShellReset.h"

namespace {

std::string currentTitle;
bool quitRequested = false;

FileFilter FirstFilter(const char* filter) {
    if (filter == nullptr || filter[0] == '\0') return {"", ""};
    FileFilter pairs{filter, filter + std::strlen(filter) + 1};
    const char* second = pairs.pattern + std::strlen(pairs.pattern) + 1;
    if (second[0] != '\0') {
        pairs.secondDescription = second;
        pairs.secondPattern = second + std::strlen(second) + 1;
    }
    return pairs;
}

}  // namespace

void DispatchKeyRelease(const ToolParameters& tool, int key) {
    if (key == 'Q') {
        RequestQuit();
    } else if (tool.onKeyRelease != nullptr) {
        tool.onKeyRelease(key);
    }
}

void RequestQuit() {
    quitRequested = true;
}
bool QuitRequested() {
    return quitRequested;
}
int QuitExitCode() {
    return 0;
}
void ClearQuitRequest() {
    quitRequested = false;
}

bool ChooseFile(char* path, const char* filter, char mode) {
    std::string chosen;
    if (!ActiveFrontEnd().chooseFile(path, FirstFilter(filter), mode, chosen)) return false;
    CopyPath(path, chosen.c_str());
    return true;
}

void SetToolTitle(const char* title) {
    currentTitle = title != nullptr ? title : "";
    ActiveFrontEnd().setTitle(currentTitle.c_str());
}
const char* ToolTitle() {
    return currentTitle.c_str();
}

void ShowInfo(const char* format, ...) {
    char text[4096];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    ActiveFrontEnd().showInfo(text);
}

void CloseToolWindow() {
    if (ActiveFrontEnd().close != nullptr) ActiveFrontEnd().close();
}
void MinimizeToolWindow() {
    if (ActiveFrontEnd().minimize != nullptr) ActiveFrontEnd().minimize();
}
bool IsToolActive() {
    return true;
}

bool ShellOpen(const char* file, const char* folder, bool minimizeFirst) {
    if (minimizeFirst) MinimizeToolWindow();
    const FrontEnd& frontEnd = ActiveFrontEnd();
    void* owner = frontEnd.nativeWindow != nullptr ? frontEnd.nativeWindow() : nullptr;
    return OpenWithDesktop(file, folder, owner);
}

void ResetToolShellState() {
    AbandonAllOutputFiles();
    ResetFolders();
    SetActiveFrontEnd(nullptr);
    currentTitle.clear();
    quitRequested = false;
}
