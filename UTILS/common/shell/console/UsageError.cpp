// The end of a console run whose command line or script the shell refused.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/console/UsageError.h"
#include "shell/core/OutputFiles.h"

void EndWithUsageError(const ToolParameters& tool, const std::string& text) {
    AbandonAllOutputFiles();
    std::fflush(stdout);
    std::fprintf(stderr, "%s: %s\n", tool.programName, text.c_str());
    std::exit(2);
}
