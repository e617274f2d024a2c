// Plimsor in process: the list rules, the hot spot at the centre of each
// image's rectangle, the output file and the named fatal errors, through the
// test shell (dialogs answered from a queue, fatal reports thrown).
#include "ConvertImageList.h"
#include "PlimsorTool.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/TestShell.h"
#include "ConverterTestKit.h"

namespace {

class PlimsorTest : public ConverterTest {
protected:
    void TearDown() override {
        ResetPlimsorState();
        ConverterTest::TearDown();
    }

    std::vector<std::string> EntriesOf(const std::string& listText) {
        WriteWholeFile(art + kPathSeparator + "list.txt", listText);
        TestShell shell(folder.Path());
        CopyPath(InputFolder, art.c_str());
        ImageList list;
        ToolJob job;
        ReadImageList((art + kPathSeparator + "list.txt").c_str(), list, job);
        return std::vector<std::string>(list.entries, list.entries + list.count);
    }

    // An image whose visible pixels span (left, top) - (right, bottom).
    void WriteSpan(const std::string& name, int left, int top, int right, int bottom) {
        TestImage image(right + 3, bottom + 3);
        image.Set(left, top, 0x204060);
        image.Set(right, bottom, 0x204060);
        WriteImage(art + kPathSeparator + name, image);
    }

    void Convert(TestShell& shell, const std::string& list, const std::string& output) {
        shell.Answer(list);
        shell.Answer(output);
        EXPECT_EQ(FatalTextOf([] { ConvertImageList(); }), "");
    }
};

TEST_F(PlimsorTest, ListLinesBecomeImagePaths) {
    struct Case {
        const char* what;
        std::string list;
        std::vector<std::string> entries;  // "@/" stands for the list's folder
    };
    const Case cases[] = {
        {"worked example", "rock1\nrock2.tga\n// a comment\n", {"@/rock1.tga", "@/rock2.tga"}},
        {"short names get the suffix", "ab\na.b\nx.tg\n", {"@/ab.tga", "@/a.b.tga", "@/x.tg.tga"}},
        {"a point fourth from the end keeps the name",
         "hull.TGA\nhull.png\n",
         {"@/hull.TGA", "@/hull.png"}},
        {"names are taken exactly as written",
         " x\n:colon\nrock \n",
         {"@/ x.tga", "@/:colon.tga", "@/rock .tga"}},
        {"a name with a folder is used as written",
         "/abs/pic\nsub/pic.tga\n",
         {"/abs/pic.tga", "sub/pic.tga"}},
        {"blank lines and comments only", "\n// one\n//two\n\n", {}},
        {"a carriage return before the line feed is dropped", "rock\r\n", {"@/rock.tga"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::string> expected;
        for (const std::string& e : c.entries) {
            expected.push_back(e.rfind("@/", 0) == 0 ? art + kPathSeparator + e.substr(2) : e);
        }
        EXPECT_EQ(EntriesOf(c.list), expected);
    }
}

TEST_F(PlimsorTest, NamesAfterTheSixtyFourthAreDropped) {
    std::string list;
    for (int i = 0; i < 70; ++i) list += "image" + std::to_string(i) + "\n";
    const std::vector<std::string> entries = EntriesOf(list);
    ASSERT_EQ(entries.size(), 64u);
    EXPECT_EQ(entries.back(), art + kPathSeparator + "image63.tga");
}

TEST_F(PlimsorTest, ANameTooLongForAPathIsRefused) {
    const std::string name(253, 'n');
    EXPECT_EQ(FatalTextOf([&] { EntriesOf(name + "\n"); }),
              "Path longer than 255 characters: " + name + ".tga");
}

TEST_F(PlimsorTest, EachSpriteIsAnchoredAtTheCentreOfItsRectangle) {
    struct Case {
        int left, top, right, bottom;
        int16_t hotX, hotY;
        std::vector<int32_t> bounds;
    };
    const Case cases[] = {
        {10, 20, 13, 29, 1, 4, {-1, -4, 2, 5}},
        {0, 0, 0, 0, 0, 0, {0, 0, 0, 0}},
        {3, 1, 8, 2, 2, 0, {-2, 0, 3, 1}},
    };
    std::string list;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        WriteSpan("span" + std::to_string(i) + ".tga", c.left, c.top, c.right, c.bottom);
        list += "span" + std::to_string(i) + "\n";
    }
    WriteWholeFile(art + kPathSeparator + "spans.txt", list);
    TestShell shell(folder.Path());
    Convert(shell, art + kPathSeparator + "spans.txt", out + kPathSeparator + "spans.sh");
    RayPtr ray = LoadRay(out + kPathSeparator + "spans.sh");
    ASSERT_EQ(ray->count, static_cast<int32_t>(std::size(cases)));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const RLSprite* s = ray->Get(static_cast<int32_t>(i));
        EXPECT_EQ(HotSpotX(s), cases[i].hotX);
        EXPECT_EQ(HotSpotY(s), cases[i].hotY);
        EXPECT_EQ(BoundsOf(s), cases[i].bounds);
        EXPECT_EQ(s->edgeWordCount, 0);
        EXPECT_EQ(s->pointCount, 0);
    }
}

TEST_F(PlimsorTest, AListBecomesARayInListOrder) {
    WriteSpan("rock1.tga", 1, 1, 4, 1);
    WriteSpan("rock2.tga", 1, 1, 1, 6);
    WriteWholeFile(art + kPathSeparator + "art.txt", "rock1\n// not an image\nrock2.tga\n");
    TestShell shell(folder.Path());
    Convert(shell, art + kPathSeparator + "art.txt", out + kPathSeparator + "art.sh");

    ASSERT_EQ(shell.dialogs.size(), 2u);
    EXPECT_EQ(shell.dialogs[0].mode, 'r');
    EXPECT_EQ(shell.dialogs[0].proposed, folder.Path() + kPathSeparator + "*.txt");
    EXPECT_EQ(shell.dialogs[0].filterDescription, "Text containing list of .TGA Files");
    EXPECT_EQ(shell.dialogs[0].filterPattern, "*.txt");
    EXPECT_EQ(shell.dialogs[1].mode, 'w');
    EXPECT_EQ(shell.dialogs[1].proposed, folder.Path() + kPathSeparator + "art.sh");
    EXPECT_EQ(shell.dialogs[1].filterDescription, "Individual Ship Files");
    EXPECT_EQ(shell.dialogs[1].filterPattern, "*.sh");
    EXPECT_EQ(shell.written, std::vector<std::string>{out + kPathSeparator + "art.sh"});
    EXPECT_EQ(ReadWholeFile(folder / "indir.txt"), art);
    EXPECT_EQ(ReadWholeFile(folder / "outdir.txt"), out);

    const std::string bytes = ReadWholeFile(out + kPathSeparator + "art.sh");
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x01\xAE\x02\x00", 4));
    RayPtr ray = LoadRay(out + kPathSeparator + "art.sh");
    ASSERT_EQ(ray->count, 2);
    EXPECT_EQ(BoundsOf(ray->Get(0)), (std::vector<int32_t>{-1, 0, 2, 0}));
    EXPECT_EQ(BoundsOf(ray->Get(1)), (std::vector<int32_t>{0, -2, 0, 3}));
    EXPECT_EQ(static_cast<int64_t>(bytes.size()),
              4 + RLSpriteSize(ray->Get(0)) + RLSpriteSize(ray->Get(1)));
}

TEST_F(PlimsorTest, AVeryDarkPixelIsStillOpaque) {
    TestImage image(5, 5);
    image.Set(2, 2, 0x010000);
    WriteImage(art + kPathSeparator + "dark.tga", image);
    WriteWholeFile(art + kPathSeparator + "dark.txt", "dark\n");
    TestShell shell(folder.Path());
    Convert(shell, art + kPathSeparator + "dark.txt", out + kPathSeparator + "dark.sh");
    RayPtr ray = LoadRay(out + kPathSeparator + "dark.sh");
    ASSERT_EQ(ray->count, 1);
    ASSERT_EQ(ray->Get(0)->runWordCount, 3);
    EXPECT_NE(ray->Get(0)->runData[2] & 0xFFFF, 0u);
}

TEST_F(PlimsorTest, AListWithoutNamesAsksNothingMoreAndWritesNothing) {
    WriteWholeFile(art + kPathSeparator + "empty.txt", "// only a comment\n\n");
    TestShell shell(folder.Path());
    shell.Answer(art + kPathSeparator + "empty.txt");
    EXPECT_EQ(FatalTextOf([] { ConvertImageList(); }), "");
    EXPECT_EQ(shell.dialogs.size(), 1u);
    EXPECT_TRUE(shell.written.empty());
    EXPECT_TRUE(std::filesystem::is_empty(out));
}

TEST_F(PlimsorTest, CancelledDialogsWriteNothing) {
    WriteSpan("rock.tga", 1, 1, 2, 2);
    WriteWholeFile(art + kPathSeparator + "art.txt", "rock\n");
    TestShell shell(folder.Path());
    shell.Cancel();
    EXPECT_EQ(FatalTextOf([] { ConvertImageList(); }), "");
    EXPECT_FALSE(FileExists(folder / "indir.txt"));

    shell.Answer(art + kPathSeparator + "art.txt");
    shell.Cancel();
    EXPECT_EQ(FatalTextOf([] { ConvertImageList(); }), "");
    EXPECT_EQ(shell.dialogs.size(), 3u);
    EXPECT_EQ(ReadWholeFile(folder / "indir.txt"), art);
    EXPECT_FALSE(FileExists(folder / "outdir.txt"));
    EXPECT_TRUE(std::filesystem::is_empty(out));
}

TEST_F(PlimsorTest, ImagesThatCannotBeConvertedAreNamed) {
    TestImage good(6, 6);
    good.Set(2, 2, 0xFFFFFF);
    TestImage black(6, 6);
    struct Case {
        const char* what;
        std::function<void()> spoil;  // spoils second.tga
        std::string list;
        std::string text;
    };
    const std::string second = art + kPathSeparator + "second.tga";
    const Case cases[] = {
        {"missing", [&] { std::filesystem::remove(second); }, art + kPathSeparator + "art.txt",
         "Can't load " + second + ": there is no such file; check its name and folder"},
        {"not a TGA file", [&] { WriteWholeFile(second, "not a TGA"); },
         art + kPathSeparator + "art.txt",
         "Can't load " + second + ": it is only 9 bytes long, too short for a TGA header; " +
             ExportRemedy()},
        {"pixel data cut short", [&] { WriteTruncatedImage(second, good); },
         art + kPathSeparator + "art.txt",
         "Can't load " + second +
             ": its pixel data ends at byte 125 of 126; the file was cut off; save or copy it "
             "again"},
        {"all black", [&] { WriteImage(second, black); }, art + kPathSeparator + "art.txt",
         "Image " + second + " has no visible pixel: it is all black"},
        {"bad depth", [&] { WriteImage(second, good, 16); }, art + kPathSeparator + "art.txt",
         "Must be an uncompressed 8, 24 or 32-bit RGB color file: " + second +
             ": it has 16-bit pixels; save it again with 24 or 32 bits per pixel"},
        {"list cannot be opened", [] {}, art + kPathSeparator + "nothing.txt",
         "Unable to open list file " + art + kPathSeparator + "nothing.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteImage(art + kPathSeparator + "first.tga", good);
        WriteImage(second, good);
        WriteWholeFile(art + kPathSeparator + "art.txt", "first\nsecond\n");
        c.spoil();
        WriteWholeFile(out + kPathSeparator + "art.sh", "OLD");
        TestShell shell(folder.Path());
        shell.Answer(c.list);
        if (c.list == art + kPathSeparator + "art.txt")
            shell.Answer(out + kPathSeparator + "art.sh");
        EXPECT_EQ(FatalTextOf([] { ConvertImageList(); }), c.text);
        // The previous file stays, and nothing partial is left beside it.
        EXPECT_EQ(ReadWholeFile(out + kPathSeparator + "art.sh"), "OLD");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out),
                                std::filesystem::directory_iterator()),
                  1);
    }
}

TEST_F(PlimsorTest, AnOutputFileThatCannotBeCreatedIsNamed) {
    WriteSpan("rock.tga", 1, 1, 2, 2);
    WriteWholeFile(art + kPathSeparator + "art.txt", "rock\n");
    TestShell shell(folder.Path());
    shell.Answer(art + kPathSeparator + "art.txt");
    shell.Answer(out + kPathSeparator + "missing/art.sh");
    EXPECT_EQ(FatalTextOf([] { ConvertImageList(); }),
              "Unable to create file " + out + kPathSeparator + "missing/art.sh");
}

TEST_F(PlimsorTest, RunsAsTheProgramDoes) {
    // Started through the shell: the window at its client size, the class
    // name, then the fixed title; only I acts, Q quits.
    TestImage picture = TwoRunPicture();
    WriteImage(art + kPathSeparator + "pic.tga", picture);
    WriteWholeFile(art + kPathSeparator + "pics.txt", "pic\npic.tga\n");
    TestShell shell(folder.Path());
    shell.Answer(art + kPathSeparator + "pics.txt");
    shell.Answer(out + kPathSeparator + "pics.sh");
    EXPECT_EQ(shell.Run(PlimsorTool(), "BFOX1IQ"), 0);

    EXPECT_EQ(shell.clientWidth, 440);
    EXPECT_EQ(shell.clientHeight, 20);
    EXPECT_EQ(shell.titles,
              (std::vector<std::string>{"Orlavine", "Orlavine (press I to input a .txt file)"}));
    ASSERT_EQ(shell.dialogs.size(), 2u);
    EXPECT_EQ(shell.dialogs[0].filterDescription, "Text containing list of .TGA Files");
    EXPECT_EQ(shell.written, std::vector<std::string>{out + kPathSeparator + "pics.sh"});
    EXPECT_EQ(ReadWholeFile(out + kPathSeparator + "pics.sh"),
              std::string("\x01\xAE\x02\x00", 4) + TwoRunRecord() + TwoRunRecord());
}

}  // namespace
