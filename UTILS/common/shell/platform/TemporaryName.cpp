#include "shell/platform/TemporaryName.h"

#include <cstdio>

namespace {

constexpr std::string_view kMark = ".tmp-";
constexpr std::size_t kRandomDigits = 8;

bool IsLowerHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
}

}  // namespace

std::string TemporarySuffix(std::uint32_t pid, std::uint32_t random) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".tmp-%lu-%08lx", static_cast<unsigned long>(pid),
                  static_cast<unsigned long>(random));
    return suffix;
}

std::uint32_t TemporaryWriter(std::string_view name, std::string_view targetName) {
    if (targetName.empty() || !name.starts_with(targetName)) return 0;
    std::string_view rest = name.substr(targetName.size());
    if (!rest.starts_with(kMark)) return 0;
    rest.remove_prefix(kMark.size());

    std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash > 10) return 0;
    std::string_view digits = rest.substr(0, dash);
    if (digits[0] == '0') return 0;
    std::uint64_t pid = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return 0;
        pid = pid * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (pid > 0xFFFFFFFFu) return 0;

    std::string_view random = rest.substr(dash + 1);
    if (random.size() != kRandomDigits) return 0;
    for (char c : random) {
        if (!IsLowerHex(c)) return 0;
    }
    return static_cast<std::uint32_t>(pid);
}
