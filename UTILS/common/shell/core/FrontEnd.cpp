// The active front end, and the bare one that stands in until one is chosen
// (and in programs that never choose one): fatal texts go to standard error,
// dialogs are refused, titles and warnings are dropped.
#include "shell/core/FrontEnd.h"

#include <cstdio>
#include <string>

#include "fatal/FatalLine.h"

namespace {

bool RefuseChoice(void*, const char*, const FileFilter&, char, std::string&) {
    return false;
}
void PrintInfo(void*, const char* text) {
    std::printf("Info: %s\n", text);
}
void IgnoreTitle(void*, const char*) {}
void PrintFatal(void*, const char* text) {
    WriteFatalLine(text);
}
int RunNothing(void*, const ToolParameters&) {
    return 0;
}

const FrontEnd kBareFrontEnd = {
    .name = "bare",
    .context = nullptr,
    .claimSingleInstance = nullptr,
    .open = nullptr,
    .setTitle = IgnoreTitle,
    .chooseFile = RefuseChoice,
    .showInfo = PrintInfo,
    .showWarning = nullptr,
    .reportFatal = PrintFatal,
    .outputWritten = nullptr,
    .run = RunNothing,
    .close = nullptr,
    .minimize = nullptr,
    .nativeWindow = nullptr,
};

const FrontEnd* activeFrontEnd = &kBareFrontEnd;

}  // namespace

void SetActiveFrontEnd(const FrontEnd* frontEnd) {
    activeFrontEnd = frontEnd != nullptr ? frontEnd : &kBareFrontEnd;
}
const FrontEnd& ActiveFrontEnd() {
    return *activeFrontEnd;
}
