// What Windows supplies to the shell: paths and their separators, the program's
// own path, the desktop's "open" verb, and the console streams of a start with
// arguments.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "shell/platform/FileSystem.h"
#include "shell/platform/Platform.h"

namespace {

bool HasStream(DWORD which) {
    HANDLE stream = GetStdHandle(which);
    return stream != nullptr && stream != INVALID_HANDLE_VALUE &&
           GetFileType(stream) != FILE_TYPE_UNKNOWN;
}

// The programs are built for the window subsystem, so that a start from the
// desktop opens no console. A start with arguments (batch, script, --help)
// writes to standard output and error: when the starting program did not
// redirect them, they go to its console, if it has one. This runs before
// main, while nothing has been written yet.
struct ParentConsole {
    ParentConsole() {
        if (__argc <= 1) return;
        bool hasInput = HasStream(STD_INPUT_HANDLE);
        bool hasOutput = HasStream(STD_OUTPUT_HANDLE);
        bool hasError = HasStream(STD_ERROR_HANDLE);
        if (hasInput && hasOutput && hasError) return;
        if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
        if (!hasInput) std::freopen("CONIN$", "r", stdin);
        if (!hasOutput) std::freopen("CONOUT$", "w", stdout);
        if (!hasError) std::freopen("CONOUT$", "w", stderr);
    }
};
const ParentConsole parentConsole;

}  // namespace

extern const char kPathSeparator = '\\';

// Chosen paths may use either separator; the tools write backslashes.
bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

bool QueryProgramPath(char* buffer, std::size_t size) {
    if (size < 2) return false;
    DWORD length = GetModuleFileNameA(nullptr, buffer, static_cast<DWORD>(size));
    // A full buffer means the path was cut short.
    return length > 0 && static_cast<std::size_t>(length) < size;
}

bool OpenWithDesktop(const char* file, const char* folder, void* owner) {
    HINSTANCE result =
        ShellExecuteA(static_cast<HWND>(owner), "open", file, nullptr, folder, SW_SHOWNORMAL);
    // ShellExecuteA reports an accepted request with a value above 32.
    return reinterpret_cast<INT_PTR>(result) > 32;
}
