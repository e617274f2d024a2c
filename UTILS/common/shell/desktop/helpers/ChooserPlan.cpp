#include "shell/desktop/helpers/ChooserPlan.h"

#include <cstring>

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "*.tga" -> "*.[tT][gG][aA]"; every other character stays as it is.
std::string EitherCase(const std::string& pattern) {
    std::string result;
    for (char c : pattern) {
        if (!IsAsciiLetter(c)) {
            result += c;
            continue;
        }
        const char lower = static_cast<char>(c | 0x20);
        result += '[';
        result += lower;
        result += static_cast<char>(lower - 'a' + 'A');
        result += ']';
    }
    return result;
}

}  // namespace

ProposedPath SplitProposedPath(const char* path) {
    ProposedPath result{".", path, false};
    if (const char* slash = std::strrchr(path, '/')) {
        result.folder.assign(path, slash);
        if (result.folder.empty()) result.folder = "/";
        result.name = slash + 1;
    }
    result.nameIsPattern = result.name.find_first_of("*?") != std::string::npos;
    return result;
}

std::vector<std::string> ChooserPatterns(const char* patterns) {
    std::vector<std::string> result;
    const std::string all = patterns != nullptr ? patterns : "";
    std::size_t start = 0;
    while (start <= all.size()) {
        std::size_t end = all.find(';', start);
        if (end == std::string::npos) end = all.size();
        if (end > start) result.push_back(EitherCase(all.substr(start, end - start)));
        start = end + 1;
    }
    return result;
}
