#include "shell/terminal/FolderEntries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

std::vector<FolderEntry> ListFolderEntries(const std::string& folder) {
    std::vector<FolderEntry> entries;
    DIR* listing = opendir(folder.empty() ? "." : folder.c_str());
    if (listing == nullptr) return entries;
    int folderDescriptor = dirfd(listing);
    while (dirent* entry = readdir(listing)) {
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat target {};
            isFolder = fstatat(folderDescriptor, entry->d_name, &target, 0) == 0 &&
                       S_ISDIR(target.st_mode);
        }
        entries.push_back({entry->d_name, isFolder});
    }
    closedir(listing);
    return entries;
}
