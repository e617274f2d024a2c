#include "shell/core/SameFile.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

fs::path Normalised(const std::string& path) {
    std::error_code error;
    fs::path full = fs::weakly_canonical(fs::absolute(fs::path(path), error), error);
    if (error) full = fs::absolute(fs::path(path), error);
    return full.lexically_normal();
}

}  // namespace

bool NamesSameFile(const std::string& first, const std::string& second) {
    if (first.empty() || second.empty()) return false;
    std::error_code error;
    const bool firstExists = fs::exists(first, error);
    const bool secondExists = fs::exists(second, error);
    if (firstExists && secondExists) {
        const bool same = fs::equivalent(first, second, error);
        if (!error) return same;
    }
    return Normalised(first) == Normalised(second);
}

const std::string* InputNamedBy(const std::string& output, const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs) {
        if (NamesSameFile(output, input)) return &input;
    }
    return nullptr;
}
