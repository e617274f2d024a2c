// The batch front end: the command line answers the dialogs, the tool's job
// runs once, the written paths are printed.
#include "shell/console/BatchFrontEnd.h"

#include <cstdio>
#include <string>

#include "fatal/FatalLine.h"
#include "shell/console/UsageError.h"
#include "shell/core/DialogAnswer.h"
#include "shell/core/EscapedText.h"
#include "shell/core/KeyDispatch.h"
#include "shell/core/Warnings.h"

namespace {

BatchRun& RunOf(void* context) {
    return *static_cast<BatchRun*>(context);
}

bool BatchChooseFile(void* context, const char* proposed, const FileFilter&, char mode,
                     std::string& chosen) {
    BatchRun& run = RunOf(context);
    const char* answer = nullptr;
    if (mode == 'w') {
        answer = run.output != nullptr ? run.output : proposed;
    } else {
        // One open dialog per run has an answer; a further one is cancelled.
        if (run.inputTaken) return false;
        run.inputTaken = true;
        answer = run.input;
    }
    chosen = AbsolutePath(answer);
    DialogAnswer verdict = CheckDialogAnswer(chosen.c_str(), mode);
    if (verdict == DialogAnswer::Accepted || verdict == DialogAnswer::Replaces) return true;
    EndWithUsageError(*run.tool, EscapeText(chosen.c_str()) + ": " + DialogRefusalText(verdict));
}

void BatchSetTitle(void*, const char*) {}

// Standard output carries only the written paths.
void BatchShowInfo(void*, const char* text) {
    std::fprintf(stderr, "Info: %s\n", text);
}

void BatchReportFatal(void*, const char* text) {
    WriteFatalLine(text);
}

void BatchOutputWritten(void* context, const char* path) {
    RunOf(context).writtenPaths.emplace_back(path);
}

int BatchRunJob(void* context, const ToolParameters& tool) {
    DispatchKeyRelease(tool, tool.runKey);
    const BatchRun& run = RunOf(context);
    if (!run.quiet) {
        for (const std::string& path : run.writtenPaths) std::printf("%s\n", path.c_str());
    }
    std::fflush(stdout);
    return 0;
}

}  // namespace

FrontEnd BatchFrontEnd(BatchRun& run) {
    return FrontEnd{
        .name = "batch",
        .context = &run,
        .claimSingleInstance = nullptr,
        .open = nullptr,
        .setTitle = BatchSetTitle,
        .chooseFile = BatchChooseFile,
        .showInfo = BatchShowInfo,
        .showWarning = WriteWarningLine,
        .reportFatal = BatchReportFatal,
        .outputWritten = BatchOutputWritten,
        .run = BatchRunJob,
        .close = nullptr,
        .minimize = nullptr,
        .nativeWindow = nullptr,
    };
}
