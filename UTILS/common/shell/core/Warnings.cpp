#include "shell/core/Warnings.h"

#include <cstdio>

#include "shell/core/FrontEnd.h"

void Warn(const std::string& text) {
    const FrontEnd& frontEnd = ActiveFrontEnd();
    if (frontEnd.showWarning == nullptr) return;
    frontEnd.showWarning(frontEnd.context, ("Warning: " + text).c_str());
}

void WriteWarningLine(void*, const char* line) {
    std::fprintf(stderr, "%s\n", line);
    std::fflush(stderr);
}
