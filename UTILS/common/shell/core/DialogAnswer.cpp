// What the system dialogs check before they accept an answer, for the front
// ends that stand in for them.
#include "shell/core/DialogAnswer.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "shell/core/Paths.h"
#include "shell/core/ToolJob.h"

namespace fs = std::filesystem;

namespace {

bool HoldsWildcard(const char* path) {
    return std::strpbrk(path, "*?") != nullptr;
}

bool CanWrite(const fs::path& path) {
    std::error_code error;
    fs::perms permissions = fs::status(path, error).permissions();
    if (error) return false;
    return (permissions & (fs::perms::owner_write | fs::perms::group_write |
                           fs::perms::others_write)) != fs::perms::none;
}

}  // namespace

DialogAnswer CheckDialogAnswer(const char* path, char mode) {
    if (HoldsWildcard(PathFileName(path))) return DialogAnswer::Wildcard;
    std::error_code error;
    fs::path target(path);
    if (mode != 'w') {
        return fs::is_regular_file(target, error) ? DialogAnswer::Accepted : DialogAnswer::Missing;
    }
    if (path[0] == '\0' || *PathFileName(path) == '\0') return DialogAnswer::IsFolder;
    if (fs::is_directory(target, error)) return DialogAnswer::IsFolder;
    fs::path folder = target.parent_path();
    if (!folder.empty() && !fs::is_directory(folder, error)) return DialogAnswer::NoFolder;
    if (JobInputNamedBy(path) != nullptr) return DialogAnswer::NamesInput;
    if (fs::exists(target, error)) {
        return CanWrite(target) ? DialogAnswer::Replaces : DialogAnswer::ReadOnly;
    }
    return DialogAnswer::Accepted;
}

const char* DialogRefusalText(DialogAnswer answer) {
    switch (answer) {
        case DialogAnswer::Accepted:
        case DialogAnswer::Replaces:
            return "accepted";
        case DialogAnswer::Missing:
            return "no such file";
        case DialogAnswer::NoFolder:
            return "no such folder";
        case DialogAnswer::IsFolder:
            return "names a folder, not a file";
        case DialogAnswer::ReadOnly:
            return "the file is read-only";
        case DialogAnswer::Wildcard:
            return "give a file name, not a pattern";
        case DialogAnswer::NamesInput:
            return "this run reads that file; choose another name for what it writes";
    }
    return "refused";
}

std::string AbsolutePath(const char* answer) {
    std::error_code error;
    fs::path path(answer);
    if (path.empty()) return std::string();
    fs::path absolute = fs::absolute(path, error);
    if (error) absolute = path;
    return absolute.lexically_normal().string();
}
