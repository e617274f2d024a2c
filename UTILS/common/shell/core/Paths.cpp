// Building and splitting paths within the 256-byte path buffers.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include <Vantrel/Fatal.h>
#include "shell/core/Paths.h"

void CopyPath(char* out, const char* path) {
    std::size_t length = std::strlen(path);
    if (length >= static_cast<std::size_t>(kPathBufferSize)) {
        std::string text = std::string("Path longer than 255 characters: ") + path;
        ReportFatal(text.c_str());
    }
    std::memmove(out, path, length + 1);
}

void JoinPath(char* out, const char* folder, const char* name) {
    std::string joined = std::string(folder) + kPathSeparator + name;
    CopyPath(out, joined.c_str());
}

void FormatPath(char* out, const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list measuring;
    va_copy(measuring, arguments);
    int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, arguments);
    va_end(arguments);
    CopyPath(out, text.c_str());
}

const char* LastPathSeparator(const char* path) {
    const char* last = nullptr;
    for (const char* c = path; *c != '\0'; ++c) {
        if (IsPathSeparator(*c)) last = c;
    }
    return last;
}

const char* PathFileName(const char* path) {
    const char* separator = LastPathSeparator(path);
    return separator != nullptr ? separator + 1 : path;
}
