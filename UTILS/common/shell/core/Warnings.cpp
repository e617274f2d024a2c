#include "shell/core/Warnings.h"

#include <cstdio>

namespace {

WarningSink sink = nullptr;

}  // namespace

void SetWarningSink(WarningSink value) {
    sink = value;
}

void WriteWarningToStandardError(const std::string& line) {
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

void Warn(const std::string& text) {
    if (sink != nullptr) sink("Warning: " + text);
}
