// The public services of the shell, routed to the active front end, and the
// fatal-error sequence.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ToolShell.h"
#include "FrontEnd.h"
#include "ShellState.h"

namespace {

// Until a front end is chosen (and in programs that never choose one) the
// shell behaves as a console: fatal texts go to standard error, dialogs are
// refused.
void ConsoleReportFatal(const char* text) {
    std::size_t length = std::strlen(text);
    std::fprintf(stderr, "Fatal Error: %s%s", text,
                 length > 0 && text[length - 1] == '\n' ? "" : "\n");
}
bool ConsoleChooseFile(const char*, const FileFilter&, char, std::string&) {
    return false;
}
void ConsoleShowInfo(const char* text) {
    std::printf("Info: %s\n", text);
}
void IgnoreTitle(const char*) {}
int ConsoleRun(const ToolParameters&) {
    return 0;
}

const FrontEnd kConsoleFrontEnd = {
    .name = "console",
    .claimSingleInstance = nullptr,
    .open = nullptr,
    .setTitle = IgnoreTitle,
    .chooseFile = ConsoleChooseFile,
    .showInfo = ConsoleShowInfo,
    .reportFatal = ConsoleReportFatal,
    .outputWritten = nullptr,
    .run = ConsoleRun,
    .close = nullptr,
    .minimize = nullptr,
};

const FrontEnd* activeFrontEnd = &kConsoleFrontEnd;
std::string currentTitle;
bool quitRequested = false;
bool reportingFatal = false;

FileFilter FirstFilter(const char* filter) {
    if (filter == nullptr || filter[0] == '\0') return {"", ""};
    return {filter, filter + std::strlen(filter) + 1};
}

}  // namespace

void SetActiveFrontEnd(const FrontEnd* frontEnd) {
    activeFrontEnd = frontEnd != nullptr ? frontEnd : &kConsoleFrontEnd;
}
const FrontEnd& ActiveFrontEnd() {
    return *activeFrontEnd;
}

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
    if (!activeFrontEnd->chooseFile(path, FirstFilter(filter), mode, chosen)) return false;
    CopyPath(path, chosen.c_str());
    return true;
}

void SetToolTitle(const char* title) {
    currentTitle = title != nullptr ? title : "";
    activeFrontEnd->setTitle(currentTitle.c_str());
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
    activeFrontEnd->showInfo(text);
}

void CloseToolWindow() {
    if (activeFrontEnd->close != nullptr) activeFrontEnd->close();
}
void MinimizeToolWindow() {
    if (activeFrontEnd->minimize != nullptr) activeFrontEnd->minimize();
}
bool IsToolActive() {
    return true;
}

void ReportFatal(const char* text) {
    if (text == nullptr) text = "";
    AbandonAllOutputFiles();
    if (reportingFatal) {
        // A failure while the report itself is shown: no second box.
        ConsoleReportFatal(text);
        std::_Exit(1);
    }
    struct ReportGuard {
        ReportGuard() { reportingFatal = true; }
        ~ReportGuard() { reportingFatal = false; }
    } guard;
    std::fflush(stdout);
    activeFrontEnd->reportFatal(text);  // the test backend throws here
    CloseToolWindow();
    std::fflush(stdout);
    std::exit(1);
}

void ResetToolShellState() {
    AbandonAllOutputFiles();
    ResetFolders();
    activeFrontEnd = &kConsoleFrontEnd;
    currentTitle.clear();
    quitRequested = false;
}
