// Dessamor started as the program is, through the shell: its window, its
// caption that never changes, and any key but Q building a family.
#include "DessamorTool.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestShell.h"
#include "ToolTestFiles.h"

namespace {

const char kCaption[] = "Create ship family (.shp) from a text list of .sh files";

TEST(DessamorTool, RunsAsTheProgramDoes) {
    TempFolder folder;
    WriteWholeFile(folder / "art/hull.sh", std::string("\x01\xae\x00\x00", 4));
    WriteWholeFile(folder / "art/fam.txt", "hull\n:Hi\n");
    TestShell shell(folder.Path());
    shell.Answer(folder / "art/fam.txt");
    shell.Answer(folder / "fam.shp");
    EXPECT_EQ(shell.Run(DessamorTool(), "XQ"), 0);

    EXPECT_EQ(shell.clientWidth, 370);
    EXPECT_EQ(shell.clientHeight, 20);
    EXPECT_EQ(shell.titles, std::vector<std::string>{kCaption});
    ASSERT_EQ(shell.dialogs.size(), 2u);
    EXPECT_EQ(shell.dialogs[0].filterDescription, "Text containing list of .SH Files");
    EXPECT_EQ(shell.written, std::vector<std::string>{folder / "fam.shp"});
    // One ray in all six slots, then "Hi" masked with 0x6B and its end.
    EXPECT_EQ(ReadWholeFile(folder / "fam.shp"),
              std::string("\x02\xae\x06\x00\x01\x00\x00\x00\x00\x00\x00\x00", 12) +
                  std::string("\x01\xae\x00\x00", 4) + std::string("\x23\x02\x00", 3));
}

TEST(DessamorTool, QuitsOnQAndNothingElse) {
    struct Case {
        const char* keys;
        size_t dialogs;
    };
    // Every key but Q opens the list choice (cancelled here); Q ends the run.
    const Case cases[] = {{"Q", 0}, {"IQ", 1}, {"B1Q", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        TempFolder folder;
        TestShell shell(folder.Path());
        for (size_t i = 0; i < c.dialogs; ++i) shell.Cancel();
        EXPECT_EQ(shell.Run(DessamorTool(), c.keys), 0);
        EXPECT_EQ(shell.dialogs.size(), c.dialogs);
        EXPECT_EQ(shell.titles, std::vector<std::string>{kCaption});
    }
}

}  // namespace
