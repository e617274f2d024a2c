// The file dialogs, routed to the active front end.
#include "shell/core/FileChoice.h"

#include <cstring>
#include <string>

#include "shell/core/FrontEnd.h"
#include "shell/core/Paths.h"

namespace {

FileFilter FirstFilter(const char* filter) {
    if (filter == nullptr || filter[0] == '\0') return {"", ""};
    FileFilter pairs{filter, filter + std::strlen(filter) + 1};
    const char* second = pairs.pattern + std::strlen(pairs.pattern) + 1;
    if (second[0] != '\0') {
        pairs.secondDescription = second;
        pairs.secondPattern = second + std::strlen(second) + 1;
    }
    return pairs;
}

}  // namespace

bool ChooseFile(char* path, const char* filter, char mode) {
    std::string chosen;
    const FrontEnd& frontEnd = ActiveFrontEnd();
    if (!frontEnd.chooseFile(frontEnd.context, path, FirstFilter(filter), mode, chosen))
        return false;
    CopyPath(path, chosen.c_str());
    return true;
}
