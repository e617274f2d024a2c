// RunTool: from the command line to the exit code.
#include <cstdio>
#include <string>

#include <Vantrel/Fatal.h>
#include <Vantrel/Pixel.h>
#include "shell/start/RunTool.h"

#include "shell/start/CommandLine.h"
#include "shell/start/InteractiveFrontEnd.h"
#include "shell/platform/Platform.h"
#include "shell/console/BatchFrontEnd.h"
#include "shell/console/ScriptFrontEnd.h"
#include "shell/core/DependencyFile.h"
#include "shell/core/KeyDispatch.h"
#include "shell/core/Paths.h"
#include "shell/core/RememberedFolders.h"
#include "shell/core/OutputFiles.h"
#include "shell/core/WindowServices.h"

int RunToolWith(const ToolParameters& tool, const FrontEnd& frontEnd, const StartOptions& options) {
    SetActiveFrontEnd(&frontEnd);
    ClearQuitRequest();
    ForgetCompletedOutputs();
    // Asked into a large buffer, so that a path too long for the tools'
    // buffers can be named when it is refused.
    std::string programPath(4096, '\0');
    if (!QueryProgramPath(programPath.data(), programPath.size())) {
        ReportFatal("Cannot find the path of the running program");
    }
    char checkedPath[kPathBufferSize];
    CopyPath(checkedPath, programPath.c_str());
    InitProgramFolder(checkedPath);
    PlaceFolderFiles(tool.programName);
    if (options.leaveFolderFilesAlone) LeaveFolderFilesAlone();
    LoadRememberedFolders();
    if (frontEnd.claimSingleInstance != nullptr &&
        !frontEnd.claimSingleInstance(frontEnd.context, tool)) {
        return 0;
    }
    if (frontEnd.open != nullptr && !frontEnd.open(frontEnd.context, tool)) return 0;
    SetToolTitle(tool.className);
    if (tool.updateTitle != nullptr) tool.updateTitle();
    SelectProgramPixelMode();
    int exitCode = frontEnd.run(frontEnd.context, tool);
    if (exitCode == 0) WriteDependencyFile(options.dependencyFile, CompletedOutputs());
    // An output a tool left unfinished is not complete: it must not appear.
    AbandonAllOutputFiles();
    CloseToolWindow();
    std::fflush(stdout);
    // The front end may live no longer than the run (the batch and script
    // front ends' tables belong to RunTool's frame).
    SetActiveFrontEnd(nullptr);
    return exitCode;
}

int RunTool(const ToolParameters& tool, int argc, char** argv) {
    CommandLine commandLine = ParseCommandLine(tool, argc, argv);
    StartOptions options;
    options.leaveFolderFilesAlone = commandLine.noRemember;
    if (commandLine.depfile != nullptr) options.dependencyFile = commandLine.depfile;
    switch (commandLine.mode) {
        case CommandLine::Mode::Finished:
            return commandLine.exitCode;
        case CommandLine::Mode::Batch: {
            BatchRun run;
            run.tool = &tool;
            run.input = commandLine.input;
            run.output = commandLine.output;
            run.quiet = commandLine.quiet;
            return RunToolWith(tool, BatchFrontEnd(run), options);
        }
        case CommandLine::Mode::Script: {
            ScriptRun run;
            if (!OpenScript(run, tool, commandLine.script)) {
                return UsageError(
                    tool, (std::string("cannot open script ") + commandLine.script).c_str());
            }
            return RunToolWith(tool, ScriptFrontEnd(run), options);
        }
        case CommandLine::Mode::Interactive:
            break;
    }
    const FrontEnd* frontEnd = PickInteractiveFrontEnd(tool);
    if (frontEnd == nullptr) {
        return UsageError(tool, (std::string("no ") + tool.inputHelp +
                                 " given, and no terminal to run on interactively")
                                    .c_str());
    }
    return RunToolWith(tool, *frontEnd, options);
}
