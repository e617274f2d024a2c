// How the desktop file chooser is set up from a proposed path and a filter.
//
// The tools propose a path as a folder followed by either a wildcard pattern
// ("/art/ships/*.tga") or a file name ("/out/wasp.sh"), and a filter pattern
// such as "*.tga" (several may be joined by ';'). The chooser opens in the
// folder, fills in the name when it is not a pattern, and shows the files the
// patterns match. Pattern letters match either case: the artwork often comes
// from systems whose file names ignore case (WASP00.TGA). Nothing here fails:
// a path without a separator names a file in the current folder.
#ifndef UTILS_COMMON_SHELL_DESKTOP_HELPERS_CHOOSER_PLAN_H
#define UTILS_COMMON_SHELL_DESKTOP_HELPERS_CHOOSER_PLAN_H

#include <string>
#include <vector>

struct ProposedPath {
    std::string folder;  // "." when the path names no folder
    std::string name;    // the part after the last separator, maybe empty
    bool nameIsPattern;  // the name holds '*' or '?'
};

ProposedPath SplitProposedPath(const char* path);

// "*.tga;*.png" -> {"*.[tT][gG][aA]", "*.[pP][nN][gG]"}; empty parts are left out.
std::vector<std::string> ChooserPatterns(const char* patterns);

#endif
