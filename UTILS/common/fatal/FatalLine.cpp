#include "fatal/FatalLine.h"

#include <cstdio>
#include <cstring>

void WriteFatalLine(const char* text) {
    const char* shown = text != nullptr ? text : "";
    const std::size_t length = std::strlen(shown);
    std::fprintf(stderr, "Fatal Error: %s%s", shown,
                 length > 0 && shown[length - 1] == '\n' ? "" : "\n");
    std::fflush(stderr);
}
