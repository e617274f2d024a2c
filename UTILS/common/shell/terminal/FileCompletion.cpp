#include "shell/terminal/FileCompletion.h"

#include <algorithm>

std::string FolderOfProposed(const std::string& proposed) {
    std::size_t slash = proposed.rfind('/');
    return slash == std::string::npos ? std::string() : proposed.substr(0, slash + 1);
}

std::string ResolveTypedPath(const std::string& typed, const std::string& proposedFolder,
                             const std::string& home) {
    if (typed.empty() || typed[0] == '/') return typed;
    if (!home.empty() && (typed == "~" || typed.starts_with("~/"))) {
        std::string base = home;
        while (base.size() > 1 && base.back() == '/') base.pop_back();
        if (typed == "~") return base;
        return base == "/" ? typed.substr(1) : base + typed.substr(1);
    }
    return proposedFolder + typed;
}

CompletionPlace PlaceToComplete(const std::string& typedBeforeCursor,
                                const std::string& proposedFolder, const std::string& home) {
    std::size_t slash = typedBeforeCursor.rfind('/');
    if (slash == std::string::npos) return {proposedFolder, typedBeforeCursor};
    std::string typedFolder = typedBeforeCursor.substr(0, slash + 1);
    std::string folder = ResolveTypedPath(typedFolder, proposedFolder, home);
    if (!folder.empty() && folder.back() != '/') folder += '/';  // "~/" gives home itself
    return {folder, typedBeforeCursor.substr(slash + 1)};
}

Completion CompleteName(const std::string& partial, const std::vector<FolderEntry>& listing) {
    Completion completion;
    if (partial.find_first_of("*?") != std::string::npos) return completion;
    bool hidden = partial.starts_with(".");
    std::vector<const FolderEntry*> found;
    for (const FolderEntry& entry : listing) {
        if (entry.name == "." || entry.name == "..") continue;
        if (!entry.name.starts_with(partial)) continue;
        if (entry.name.starts_with(".") && !hidden) continue;
        found.push_back(&entry);
    }
    if (found.empty()) return completion;
    for (const FolderEntry* entry : found) {
        completion.matches.push_back(entry->name + (entry->isFolder ? "/" : ""));
    }
    std::sort(completion.matches.begin(), completion.matches.end());
    if (found.size() == 1) {
        completion.addition = completion.matches[0].substr(partial.size());
        return completion;
    }
    std::string shared = found[0]->name;
    for (const FolderEntry* entry : found) {
        std::size_t same = 0;
        while (same < shared.size() && same < entry->name.size() &&
               shared[same] == entry->name[same])
            ++same;
        shared.resize(same);
    }
    // Never stop inside a UTF-8 character ("é" and "è" share their first byte).
    while (shared.size() > partial.size() &&
           (static_cast<unsigned char>(found[0]->name[shared.size()]) & 0xC0) == 0x80)
        shared.pop_back();
    completion.addition = shared.substr(partial.size());
    return completion;
}
