// The batch front end: the command line answers the dialogs, the tool's job
// runs once, the written paths are printed.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/console/BatchFrontEnd.h"
#include "shell/console/UsageError.h"
#include "fatal/FatalLine.h"
#include "shell/core/DialogAnswer.h"
#include "shell/core/EscapedText.h"
#include "shell/core/KeyDispatch.h"

namespace {

const ToolParameters* batchTool = nullptr;
const char* inputAnswer = nullptr;
const char* outputAnswer = nullptr;
bool inputTaken = false;
std::vector<std::string> writtenPaths;

bool BatchChooseFile(const char* proposed, const FileFilter&, char mode, std::string& chosen) {
    const char* answer = nullptr;
    if (mode == 'w') {
        answer = outputAnswer != nullptr ? outputAnswer : proposed;
    } else {
        // One open dialog per run has an answer; a further one is cancelled.
        if (inputTaken) return false;
        inputTaken = true;
        answer = inputAnswer;
    }
    chosen = AbsolutePath(answer);
    DialogAnswer verdict = CheckDialogAnswer(chosen.c_str(), mode);
    if (verdict == DialogAnswer::Accepted || verdict == DialogAnswer::Replaces) return true;
    EndWithUsageError(*batchTool, EscapeText(chosen.c_str()) + ": " + DialogRefusalText(verdict));
}

void BatchSetTitle(const char*) {}

// Standard output carries only the written paths.
void BatchShowInfo(const char* text) {
    std::fprintf(stderr, "Info: %s\n", text);
}

void BatchOutputWritten(const char* path) {
    writtenPaths.emplace_back(path);
}

int BatchRun(const ToolParameters& tool) {
    DispatchKeyRelease(tool, tool.runKey);
    for (const std::string& path : writtenPaths) std::printf("%s\n", path.c_str());
    std::fflush(stdout);
    return 0;
}

const FrontEnd kBatchFrontEnd = {
    .name = "batch",
    .claimSingleInstance = nullptr,
    .open = nullptr,
    .setTitle = BatchSetTitle,
    .chooseFile = BatchChooseFile,
    .showInfo = BatchShowInfo,
    .reportFatal = WriteFatalLine,
    .outputWritten = BatchOutputWritten,
    .run = BatchRun,
    .close = nullptr,
    .minimize = nullptr,
    .nativeWindow = nullptr,
};

}  // namespace

const FrontEnd& BatchFrontEnd(const ToolParameters& tool, const char* input, const char* output) {
    batchTool = &tool;
    inputAnswer = input;
    outputAnswer = output;
    inputTaken = false;
    writtenPaths.clear();
    return kBatchFrontEnd;
}
