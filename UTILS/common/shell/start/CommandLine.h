// The command line of the tools (POSIX and console builds):
//     tool [FLAGS] [-o OUTPUT] INPUT      batch: the arguments answer the dialogs
//     tool [FLAGS] --script FILE|-        script: see ToolShell.h
//     tool [FLAGS]                        the interactive front end
//     --no-remember, with any of these:   indir.txt and outdir.txt left alone
//     --depfile FILE, with any of these:  the dependency file (DependencyFile.h)
//     --quiet, in batch:                  no written path printed
//     tool --help | --version
// Flags are the tool's own (ToolFlag) and are applied while parsing, in order.
// Errors are printed on standard error as "<program>: <what>" followed by a
// hint to --help; the exit code is then 2.
#ifndef UTILS_COMMON_SHELL_START_COMMAND_LINE_H
#define UTILS_COMMON_SHELL_START_COMMAND_LINE_H

#include <cstdio>

#include "shell/core/ToolParameters.h"

struct CommandLine {
    enum class Mode { Interactive, Batch, Script, Finished } mode = Mode::Interactive;
    const char* input = nullptr;    // batch: answers the open dialog
    const char* output = nullptr;   // batch: answers the save dialog (null: the proposed path)
    const char* script = nullptr;   // script: a file, or "-" for standard input
    bool noRemember = false;        // --no-remember
    const char* depfile = nullptr;  // --depfile: the dependency file to write
    bool quiet = false;             // --quiet
    int exitCode = 0;               // Finished: 0 after --help/--version, 2 after an error
};

CommandLine ParseCommandLine(const ToolParameters& tool, int argc, char** argv);

void PrintUsage(const ToolParameters& tool, std::FILE* stream);
// "<program>: <text>" and the --help hint on standard error; returns 2.
int UsageError(const ToolParameters& tool, const char* text);

#endif
