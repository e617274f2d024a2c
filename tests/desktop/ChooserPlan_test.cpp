#include "shell/desktop/helpers/ChooserPlan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SplitCase {
    const char* path;
    const char* folder;
    const char* name;
    bool nameIsPattern;
};

const SplitCase kSplitCases[] = {
    {"/art/ships/*.tga", "/art/ships", "*.tga", true},
    {"/out/wasp.sh", "/out", "wasp.sh", false},
    {"/wasp.sh", "/", "wasp.sh", false},
    {"./*.txt", ".", "*.txt", true},
    {"wasp.sh", ".", "wasp.sh", false},
    {"/art/", "/art", "", false},
    {"/art/wasp??.tga", "/art", "wasp??.tga", true},
    // A remembered folder edited by hand to end with a line end keeps it.
    {"/art\n/*.tga", "/art\n", "*.tga", true},
};

TEST(ChooserPlanTest, SplitProposedPath) {
    for (const SplitCase& c : kSplitCases) {
        const ProposedPath split = SplitProposedPath(c.path);
        EXPECT_EQ(split.folder, c.folder) << c.path;
        EXPECT_EQ(split.name, c.name) << c.path;
        EXPECT_EQ(split.nameIsPattern, c.nameIsPattern) << c.path;
    }
}

struct PatternCase {
    const char* patterns;
    std::vector<std::string> expected;
};

TEST(ChooserPlanTest, PatternsMatchEitherCase) {
    const PatternCase cases[] = {
        {"*.tga", {"*.[tT][gG][aA]"}},
        {"*.SH", {"*.[sS][hH]"}},
        {"*.tga;*.png", {"*.[tT][gG][aA]", "*.[pP][nN][gG]"}},
        {";*.txt;;", {"*.[tT][xX][tT]"}},
        {"*_01.*", {"*_01.*"}},
        {"", {}},
        {nullptr, {}},
    };
    for (const PatternCase& c : cases) {
        EXPECT_EQ(ChooserPatterns(c.patterns), c.expected) << (c.patterns ? c.patterns : "null");
    }
}

}  // namespace
