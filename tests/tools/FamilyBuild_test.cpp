#include "FamilyBuild.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/ScratchStream.h"

#include "support/TestShell.h"
#include "ToolTestFiles.h"

namespace {

FamilyList ListOf(const std::string& text) {
    Stream scratch = StreamOfText(text);
    std::FILE* stream = scratch.get();
    FamilyList list;
    ReadFamilyList(stream, list);
    FillSlots(list);
    NumberRays(list);
    return list;
}

std::vector<std::string> SlotsOf(const FamilyList& list) {
    return std::vector<std::string>(std::begin(list.slots), std::end(list.slots));
}
std::vector<int> TableOf(const FamilyList& list) {
    return std::vector<int>(std::begin(list.table), std::end(list.table));
}

struct SlotCase {
    const char* what;
    std::string list;
    std::vector<std::string> slots;
    std::vector<int> table;
    int rayCount;
};

TEST(FamilyList, FillsAndNumbersTheSixSlots) {
    using S = std::vector<std::string>;
    const SlotCase cases[] = {
        {"one name fills every slot", "hull\n", S(6, "hull.sh"), {0, 0, 0, 0, 0, 0}, 1},
        {"worked example",
         "// pirate family\n:Raider\nraider_a\nraider_b.sh\nraider_a\n",
         {"raider_a.sh", "raider_b.sh", "raider_a.sh", "raider_a.sh", "raider_a.sh", "raider_a.sh"},
         {0, 1, 0, 0, 0, 0},
         2},
        {"a repeat before the new name",
         "a\na\nb\n",
         {"a.sh", "a.sh", "b.sh", "b.sh", "b.sh", "b.sh"},
         {0, 0, 1, 1, 1, 1},
         2},
        {"six distinct names",
         "a\nb\nc\nd\ne\nf\n",
         {"a.sh", "b.sh", "c.sh", "d.sh", "e.sh", "f.sh"},
         {0, 1, 2, 3, 4, 5},
         6},
        {"a seventh name is dropped",
         "a\nb\nc\nd\ne\nf\ng\n",
         {"a.sh", "b.sh", "c.sh", "d.sh", "e.sh", "f.sh"},
         {0, 1, 2, 3, 4, 5},
         6},
        {"names differing in case are two rays",
         "Hull.sh\nhull.sh\n",
         {"Hull.sh", "hull.sh", "hull.sh", "hull.sh", "hull.sh", "hull.sh"},
         {0, 1, 1, 1, 1, 1},
         2},
        {"the .sh rule",
         "hull.tg\nhull.shp\nab\n x\n",
         {"hull.tg", "hull.shp.sh", "ab.sh", " x.sh", " x.sh", " x.sh"},
         {0, 1, 2, 3, 3, 3},
         4},
        {"a comment after a space is a name", " //x\n", S(6, " //x.sh"), {0, 0, 0, 0, 0, 0}, 1},
    };
    for (const SlotCase& c : cases) {
        SCOPED_TRACE(c.what);
        FamilyList list = ListOf(c.list);
        EXPECT_EQ(SlotsOf(list), c.slots);
        EXPECT_EQ(TableOf(list), c.table);
        EXPECT_EQ(list.rayCount, c.rayCount);
    }
}

TEST(FamilyList, KeepsTenTextsAndNeverTakesAnEleventhAsAName) {
    std::string text = "hull\n";
    for (int i = 0; i < 12; ++i) text += ":t" + std::to_string(i) + "\n";
    text += ":\n";
    FamilyList list = ListOf(text);
    ASSERT_EQ(list.textCount, 10);
    EXPECT_STREQ(list.texts[0], "t0");
    EXPECT_STREQ(list.texts[9], "t9");
    EXPECT_EQ(list.nameCount, 1);
    EXPECT_EQ(SlotsOf(list), std::vector<std::string>(6, "hull.sh"));
}

// What the family leaves out is said, line by line; the family is as before.
TEST(ReadFamilyList, WarnsOfWhatItLeavesOut) {
    std::string text;
    for (int i = 1; i <= 11; ++i) text += ":T" + std::to_string(i) + "\n";
    for (int i = 1; i <= 7; ++i) text += "s" + std::to_string(i) + "\n";
    text += std::string(255, 'x') + "yz\n";
    TempFolder folder;
    TestShell shell(folder.Path());
    const FamilyList list = ListOf(text);
    EXPECT_EQ(list.textCount, 10);
    EXPECT_EQ(list.nameCount, 6);
    EXPECT_EQ(shell.warnings,
              (std::vector<std::string>{
                  "Warning: the list line 11: the text \"T11\" is left out; a family holds at "
                  "most 10 texts",
                  "Warning: the list line 18: s7 is left out; a family holds at most 6 .sh files",
                  "Warning: the list line 19: " + std::string(255, 'x') +
                      " is left out; a family holds at most 6 .sh files",
                  "Warning: the list line 19 is longer than 255 characters; its rest is read as "
                  "a line of its own",
                  "Warning: the list line 19: yz is left out; a family holds at most 6 .sh "
                  "files"}));
}

// A ray of one sprite with no pixels: magic, count 1, a 48-byte record.
std::string OneSpriteRay() {
    return std::string("\x01\xae\x01\x00", 4) + std::string(48, '\0');
}

class BuildFamilyTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Hull.sh first: where the file system ignores case, both names then
        // open the smaller hull.sh.
        WriteWholeFile(folder / "art/Hull.sh", OneSpriteRay());
        WriteWholeFile(folder / "art/hull.sh", std::string("\x01\xae\x00\x00", 4));
    }
    bool NamesDifferInCase() const {
        return ReadWholeFile(folder / "art/Hull.sh").size() == OneSpriteRay().size();
    }
    TempFolder folder;
};

TEST_F(BuildFamilyTest, WritesHeaderRaysAndMaskedTexts) {
    if (!NamesDifferInCase()) {
        GTEST_SKIP() << "hull.sh and Hull.sh are one file where file names ignore case";
    }
    WriteWholeFile(folder / "art/fam.txt", ":OK\nHull\n:\nhull\n");
    TestShell shell(folder.Path());
    shell.Answer(folder / "art/fam.txt");
    shell.Answer(folder / "fam.shp");
    BuildFamily();
    const std::string expected =
        std::string("\x02\xae\x06\x00\x02\x00\x00\x01\x01\x01\x01\x01", 12) + OneSpriteRay() +
        std::string("\x01\xae\x00\x00", 4) + std::string("\x24\x20\x00\x00", 4);
    EXPECT_EQ(ReadWholeFile(folder / "fam.shp"), expected);
    ASSERT_EQ(shell.dialogs.size(), 2u);
    EXPECT_EQ(shell.dialogs[0].proposed, folder.Path() + kPathSeparator + "*.txt");
    EXPECT_EQ(shell.dialogs[0].filterDescription, "Text containing list of .SH Files");
    EXPECT_EQ(shell.dialogs[1].mode, 'w');
    EXPECT_EQ(shell.dialogs[1].proposed, folder.Path() + kPathSeparator + "fam.shp");
    EXPECT_EQ(shell.dialogs[1].filterDescription, "Ship Family Files");
    EXPECT_EQ(shell.dialogs[1].filterPattern, "*.shp");
    EXPECT_EQ(shell.written, std::vector<std::string>{folder / "fam.shp"});
}

TEST_F(BuildFamilyTest, ProposesTheListNameCutAtItsLastPoint) {
    WriteWholeFile(folder / "art/my.family.txt", "hull\n");
    TestShell shell(folder.Path());
    shell.Answer(folder / "art/my.family.txt");
    shell.Answer(folder / "x.shp");
    BuildFamily();
    EXPECT_EQ(shell.dialogs.at(1).proposed, folder.Path() + kPathSeparator + "my.family.shp");
    EXPECT_EQ(ReadWholeFile(folder / "x.shp").size(), 12u + 4u);
}

TEST_F(BuildFamilyTest, CancelledListChoiceDoesNothing) {
    TestShell shell(folder.Path());
    shell.Cancel();
    BuildFamily();
    EXPECT_EQ(shell.dialogs.size(), 1u);
    EXPECT_FALSE(FileExists(folder / "indir.txt"));
}

struct FatalCase {
    const char* what;
    std::string list;
    std::vector<std::string> answers;  // "" cancels; "@" stands for the temporary folder
    std::string text;
};

std::string InFolder(std::string text, const std::string& folder) {
    for (char& c : text) {
        if (c == '/') c = kPathSeparator;
    }
    for (std::size_t at; (at = text.find('@')) != std::string::npos;) text.replace(at, 1, folder);
    return text;
}

TEST_F(BuildFamilyTest, FailuresNameTheFileAndLeaveTheOldFamily) {
    const FatalCase cases[] = {
        {"cancelled output choice",
         "hull\n",
         {"@/art/fam.txt", ""},
         "You must provide a file to output to!"},
        {"no file name",
         "// none\n:text\n",
         {"@/art/fam.txt"},
         "The list @/art/fam.txt names no .sh file"},
        {"missing .sh file",
         "hull\nghost\n",
         {"@/art/fam.txt"},
         "File @/art/ghost.sh listed in @/art/fam.txt cannot be opened"},
        {"a family listed as a ray",
         "hull\n\nother.sh\n",
         {"@/art/fam.txt"},
         "LoadRlsRay: Not a RlsRay file: @/art/other.sh, listed on @/art/fam.txt line 3, is not a "
         "ray file (.sh) a family can hold; list the .sh files Quarvin or Plimsor wrote"},
        {"a ray cut short",
         "short\n",
         {"@/art/fam.txt"},
         "LoadRlsRay: Unable to read file: @/art/short.sh, listed on @/art/fam.txt line 1, is "
         "not a ray file (.sh) a family can hold; list the .sh files Quarvin or Plimsor wrote"},
        {"bytes after the ray",
         "// rays\nhull\ntail\n",
         {"@/art/fam.txt"},
         "File @/art/tail.sh, listed on @/art/fam.txt line 3, holds more than one ray: bytes "
         "follow its ray at byte 4; list the .sh files Quarvin or Plimsor wrote"},
        {"a text holding the mask byte",
         ":Wasp\n:Hawk escort\nhull\n",
         {"@/art/fam.txt"},
         "Family text \"Hawk escort\" on @/art/fam.txt line 2 holds a lower-case k, the byte a "
         "family file masks its texts with: it would be stored as a zero byte, which ends the "
         "text there and shifts every later text; write the text without a lower-case k (K is "
         "fine)"},
        {"name too long",
         std::string(254, 'n') + "\n",
         {"@/art/fam.txt"},
         "Path longer than 255 characters: " + std::string(254, 'n') + ".sh"},
        {"list that cannot be opened",
         "hull\n",
         {"@/art/gone.txt"},
         "Unable to open list file @/art/gone.txt"},
        {"output that cannot be created",
         "hull\n",
         {"@/art/fam.txt", "@/nowhere/fam.shp"},
         "Unable to create file @/nowhere/fam.shp"},
    };
    WriteWholeFile(folder / "art/other.sh", std::string("\x02\xae\x06\x00\x00\x00", 6));
    WriteWholeFile(folder / "art/short.sh", OneSpriteRay().substr(0, 30));
    WriteWholeFile(folder / "art/tail.sh", std::string("\x01\xae\x00\x00!", 5));
    for (const FatalCase& c : cases) {
        SCOPED_TRACE(c.what);
        WriteWholeFile(folder / "art/fam.txt", c.list);
        WriteWholeFile(folder / "fam.shp", "OLD");
        TestShell shell(folder.Path());
        for (const std::string& answer : c.answers) {
            if (answer.empty()) {
                shell.Cancel();
            } else {
                shell.Answer(InFolder(answer, folder.Path()));
            }
        }
        EXPECT_EQ(FatalTextOf([] { BuildFamily(); }), InFolder(c.text, folder.Path()));
        EXPECT_EQ(ReadWholeFile(folder / "fam.shp"), "OLD");
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            EXPECT_EQ(entry.path().string().find(".tmp-"), std::string::npos) << entry.path();
        }
    }
}

}  // namespace
