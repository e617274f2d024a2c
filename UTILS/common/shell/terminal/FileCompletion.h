// What a name typed at the terminal's file prompt means, and how Tab
// completes it. Pure functions of the typed text, the folder of the proposed
// path (the folder the prompt shows) and a folder's listing, so that they are
// tested without a terminal or a file system.
#ifndef UTILS_COMMON_SHELL_TERMINAL_FILE_COMPLETION_H
#define UTILS_COMMON_SHELL_TERMINAL_FILE_COMPLETION_H

#include <string>
#include <vector>

// The folder part of proposed, with its trailing '/' ("" when it has none).
std::string FolderOfProposed(const std::string& proposed);

// The path typed means: an absolute path as typed; "~" and "~/..." in home
// (when home is known); anything else inside proposedFolder. Not yet
// normalised (AbsolutePath does that).
std::string ResolveTypedPath(const std::string& typed, const std::string& proposedFolder,
                             const std::string& home);

// The text before the cursor split for completion: the folder to list (as
// ResolveTypedPath gives it; "" is the current folder) and the partial name
// after the last '/'.
struct CompletionPlace {
    std::string folder;
    std::string partial;
};
CompletionPlace PlaceToComplete(const std::string& typedBeforeCursor,
                                const std::string& proposedFolder, const std::string& home);

struct FolderEntry {
    std::string name;
    bool isFolder = false;
};

// What Tab does to partial, given the listing of its folder.
struct Completion {
    // The text to insert after partial: the rest of a single match (a folder
    // with a '/' after it) or the rest of the prefix all matches share.
    std::string addition;
    // Every match (folders with a '/' after them), sorted; listed on a second
    // Tab when the matches share no longer prefix.
    std::vector<std::string> matches;
};
// Names starting with '.' match only a partial that starts with '.'; a
// partial holding '*' or '?' is a pattern and completes nothing.
Completion CompleteName(const std::string& partial, const std::vector<FolderEntry>& listing);

#endif
