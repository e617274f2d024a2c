// The active front end. Until one is chosen (and in programs that never
// choose one) the shell behaves as a console: fatal texts go to standard
// error, dialogs are refused.
#include <cstdio>
#include <string>

#include "fatal/FatalLine.h"
#include "shell/core/FrontEnd.h"

namespace {

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
    .reportFatal = WriteFatalLine,
    .outputWritten = nullptr,
    .run = ConsoleRun,
    .close = nullptr,
    .minimize = nullptr,
    .nativeWindow = nullptr,
};

const FrontEnd* activeFrontEnd = &kConsoleFrontEnd;

}  // namespace

void SetActiveFrontEnd(const FrontEnd* frontEnd) {
    activeFrontEnd = frontEnd != nullptr ? frontEnd : &kConsoleFrontEnd;
}
const FrontEnd& ActiveFrontEnd() {
    return *activeFrontEnd;
}
