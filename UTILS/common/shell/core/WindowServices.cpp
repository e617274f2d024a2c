// The window's services, routed to the active front end.
#include "shell/core/WindowServices.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "shell/core/FrontEnd.h"
#include "shell/platform/Platform.h"

namespace {
std::string currentTitle;
}  // namespace

void SetToolTitle(const char* title) {
    currentTitle = title != nullptr ? title : "";
    const FrontEnd& frontEnd = ActiveFrontEnd();
    frontEnd.setTitle(frontEnd.context, currentTitle.c_str());
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
    const FrontEnd& frontEnd = ActiveFrontEnd();
    frontEnd.showInfo(frontEnd.context, text);
}

void CloseToolWindow() {
    const FrontEnd& frontEnd = ActiveFrontEnd();
    if (frontEnd.close != nullptr) frontEnd.close(frontEnd.context);
}
void MinimizeToolWindow() {
    const FrontEnd& frontEnd = ActiveFrontEnd();
    if (frontEnd.minimize != nullptr) frontEnd.minimize(frontEnd.context);
}
bool IsToolActive() {
    return true;
}

bool ShellOpen(const char* file, const char* folder, bool minimizeFirst) {
    if (minimizeFirst) MinimizeToolWindow();
    const FrontEnd& frontEnd = ActiveFrontEnd();
    void* owner =
        frontEnd.nativeWindow != nullptr ? frontEnd.nativeWindow(frontEnd.context) : nullptr;
    return OpenWithDesktop(file, folder, owner);
}
