// Quarvin in process: options and titles, flags, and ship batches through the
// test shell (dialogs answered from a queue, fatal reports thrown).
#include "ConvertShip.h"
#include "QuarvinOptions.h"
#include "QuarvinTool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "support/TestShell.h"
#include "ConverterTestKit.h"

namespace {

const std::string kInitialTitle = "Keys: Input  Border(off)  Feather(on)  Offset(0)";

class QuarvinTest : public ConverterTest {
protected:
    void SetUp() override {
        ConverterTest::SetUp();
        ResetQuarvinOptions();
    }
    void TearDown() override {
        ResetQuarvinState();
        ConverterTest::TearDown();
    }

    // The frame with file number n: a line of n + 1 pixels on row 4 from
    // column 2, so every sprite tells which file it came from.
    static TestImage Frame(int n) {
        TestImage image(24, 8);
        image.Fill(2, 4, 2 + n, 4, 0xC08040);
        return image;
    }

    // Writes the frames with file numbers first..last as <art>/<ship>NN.tga.
    void WriteFrames(const std::string& ship, int first, int last) {
        for (int n = first; n <= last; ++n) {
            TestImage image = Frame(n);
            WriteImage(FramePath(ship, n), image);
        }
    }
    std::string FramePath(const std::string& ship, int n, const char* prefix = "") const {
        char name[64];
        std::snprintf(name, sizeof name, "%s%s%02d.tga", prefix, ship.c_str(), n);
        return art + kPathSeparator + name;
    }

    // Runs a whole batch with the chosen frame and output, expecting no fatal.
    void Convert(TestShell& shell, const std::string& frame, const std::string& output) {
        shell.Answer(frame);
        shell.Answer(output);
        EXPECT_EQ(FatalTextOf([] { ConvertShip(); }), "");
    }
};

TEST_F(QuarvinTest, KeysToggleTheOptionsAndTheTitleFollows) {
    struct Case {
        const char* keys;
        const char* title;
    };
    const Case cases[] = {
        {"F", "Keys: Input  Border(off)  Feather(off)  Offset(0)"},
        {"FB", "Keys: Input  Border(on)  Feather(off)  Offset(0)"},
        {"FBF", "Keys: Input  Border(off)  Feather(on)  Offset(0)"},
        {"B", "Keys: Input  Border(on)  Feather(off)  Offset(0)"},
        {"BB", "Keys: Input  Border(off)  Feather(off)  Offset(0)"},
        {"FF", "Keys: Input  Border(off)  Feather(on)  Offset(0)"},
        {"O", "Keys: Input  Border(off)  Feather(on)  Offset(1)"},
        {"OO", "Keys: Input  Border(off)  Feather(on)  Offset(0)"},
        {"BO", "Keys: Input  Border(on)  Feather(off)  Offset(1)"},
        {"FO", "Keys: Input  Border(off)  Feather(off)  Offset(1)"},
        {"XZ1", kInitialTitle.c_str()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        ResetQuarvinOptions();
        TestShell shell(folder.Path());
        for (const char* key = c.keys; *key != '\0'; ++key) QuarvinKeyRelease(*key);
        EXPECT_EQ(QuarvinTitle(), std::string(c.title));
        // One title change per option key, none for other keys.
        const std::string keys = c.keys;
        const auto optionKeys = std::count_if(
            keys.begin(), keys.end(), [](char k) { return k == 'B' || k == 'F' || k == 'O'; });
        ASSERT_EQ(static_cast<long>(shell.titles.size()), optionKeys);
        if (optionKeys > 0) {
            EXPECT_EQ(shell.titles.back(), c.title);
        }
    }
}

TEST_F(QuarvinTest, BorderAndFeatherAreNeverOnTogether) {
    // Every sequence of four option keys.
    const char keys[] = {'B', 'F', 'O'};
    for (int code = 0; code < 81; ++code) {
        ResetQuarvinOptions();
        TestShell shell(folder.Path());
        for (int k = 0, c = code; k < 4; ++k, c /= 3) {
            QuarvinKeyRelease(keys[c % 3]);
            ASSERT_FALSE(Border && Feather) << "after code " << code;
        }
    }
}

TEST_F(QuarvinTest, RunsAsTheProgramDoes) {
    // Started through the shell: the window at its client size, the class
    // name, then the options' title; F switches Feather off, I converts, Q quits.
    TestImage picture = TwoRunPicture();
    for (int n = 0; n < 16; ++n) WriteImage(FramePath("wasp", n), picture);
    TestShell shell(folder.Path());
    shell.Answer(FramePath("wasp", 3));
    shell.Answer(out + kPathSeparator + "wasp.sh");
    EXPECT_EQ(shell.Run(QuarvinTool(), "FIQ"), 0);

    EXPECT_EQ(shell.clientWidth, 350);
    EXPECT_EQ(shell.clientHeight, 20);
    EXPECT_EQ(shell.titles,
              (std::vector<std::string>{"Quarvin", kInitialTitle,
                                        "Keys: Input  Border(off)  Feather(off)  Offset(0)"}));
    ASSERT_EQ(shell.dialogs.size(), 2u);
    EXPECT_EQ(shell.dialogs[0].filterDescription, "Uncompressed Targa Files");
    EXPECT_EQ(shell.written, std::vector<std::string>{out + kPathSeparator + "wasp.sh"});
    std::string expected("\x01\xAE\x10\x00", 4);
    for (int n = 0; n < 16; ++n) expected += TwoRunRecord();
    EXPECT_EQ(ReadWholeFile(out + kPathSeparator + "wasp.sh"), expected);
}

TEST_F(QuarvinTest, FlagsSetWhatTheKeysToggle) {
    const ToolParameters& tool = QuarvinTool();
    auto apply = [&](const char* name, const char* value) {
        for (int i = 0; i < tool.flagCount; ++i) {
            if (std::string(tool.flags[i].name) == name) return tool.flags[i].apply(value);
        }
        ADD_FAILURE() << "no flag " << name;
        return false;
    };
    struct Case {
        const char* name;
        const char* value;
        bool accepted;
        bool border, feather;
        int offset;
    };
    const Case cases[] = {
        {"--border", nullptr, true, true, false, 0},
        {"--no-feather", nullptr, true, false, false, 0},
        {"--offset", "1", true, false, true, 1},
        {"--offset", "0", true, false, true, 0},
        {"--offset", "2", false, false, true, 0},
        {"--offset", "01", false, false, true, 0},
        {"--offset", nullptr, false, false, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + (c.value ? c.value : "(none)"));
        ResetQuarvinOptions();
        EXPECT_EQ(apply(c.name, c.value), c.accepted);
        EXPECT_EQ(Border, c.border);
        EXPECT_EQ(Feather, c.feather);
        EXPECT_EQ(Offset, c.offset);
    }
}

TEST_F(QuarvinTest, AShipBecomesARayOfSixteenSpritesInFrameOrder) {
    for (int offset : {0, 1}) {
        SCOPED_TRACE(offset);
        ResetQuarvinOptions();
        std::filesystem::remove(folder / "indir.txt");
        std::filesystem::remove(folder / "outdir.txt");
        Offset = offset;
        const std::string ship = offset == 0 ? "wasp" : "moth";
        WriteFrames(ship, offset, 15 + offset);
        TestShell shell(folder.Path());
        // Any frame of the ship names it.
        Convert(shell, FramePath(ship, 7), out + kPathSeparator + ship + ".sh");

        ASSERT_EQ(shell.dialogs.size(), 2u);
        EXPECT_EQ(shell.dialogs[0].mode, 'r');
        EXPECT_EQ(shell.dialogs[0].proposed, folder.Path() + kPathSeparator + "*.tga");
        EXPECT_EQ(shell.dialogs[0].filterDescription, "Uncompressed Targa Files");
        EXPECT_EQ(shell.dialogs[0].filterPattern, "*.tga");
        EXPECT_EQ(shell.dialogs[1].mode, 'w');
        EXPECT_EQ(shell.dialogs[1].proposed, folder.Path() + kPathSeparator + ship + ".sh");
        EXPECT_EQ(shell.dialogs[1].filterDescription, "Individual Ship Files");
        EXPECT_EQ(shell.dialogs[1].filterPattern, "*.sh");
        EXPECT_EQ(shell.written, std::vector<std::string>{out + kPathSeparator + ship + ".sh"});
        EXPECT_EQ(ReadWholeFile(folder / "indir.txt"), art);
        EXPECT_EQ(ReadWholeFile(folder / "outdir.txt"), out);

        const std::string bytes = ReadWholeFile(out + kPathSeparator + ship + ".sh");
        ASSERT_GE(bytes.size(), 4u);
        EXPECT_EQ(bytes.substr(0, 4), std::string("\x01\xAE\x10\x00", 4));
        RayPtr ray = LoadRay(out + kPathSeparator + ship + ".sh");
        ASSERT_EQ(ray->count, 16);
        int64_t size = 4;
        for (int i = 0; i < 16; ++i) {
            const RLSprite* s = ray->Get(i);
            const int n = i + offset;
            // A 24 x 8 frame turns about (11, 3); the line runs from (2, 4) to (2 + n, 4).
            EXPECT_EQ(HotSpotX(s), 11 - 2);
            EXPECT_EQ(HotSpotY(s), 3 - 4);
            EXPECT_EQ(BoundsOf(s), (std::vector<int32_t>{2 - 11, 4 - 3, 2 + n - 11, 4 - 3}));
            EXPECT_EQ(s->pointCount, 0);
            size += RLSpriteSize(s);
        }
        EXPECT_EQ(static_cast<int64_t>(bytes.size()), size);
    }
}

TEST_F(QuarvinTest, TheOutputIsNamedByTheShipNameCutAtItsLastPoint) {
    WriteFrames("my.wasp", 0, 15);
    TestShell shell(folder.Path());
    Convert(shell, FramePath("my.wasp", 0), out + kPathSeparator + "x.sh");
    ASSERT_EQ(shell.dialogs.size(), 2u);
    EXPECT_EQ(shell.dialogs[1].proposed, folder.Path() + kPathSeparator + "my.sh");
}

TEST_F(QuarvinTest, AMissingFrameIsNamedBeforeAnythingIsConverted) {
    struct Case {
        const char* what;
        int offset;
        int first, last;  // frames present
        int missing;
        const char* range;
    };
    const Case cases[] = {
        {"numbered from 00, the last missing", 0, 0, 14, 15, "00 to 15"},
        {"numbered from 00, the first missing", 0, 1, 15, 0, "00 to 15"},
        {"numbered from 01, 16 missing", 1, 0, 15, 16, "01 to 16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(art);
        std::filesystem::create_directories(art);
        std::filesystem::remove(folder / "indir.txt");
        ResetQuarvinOptions();
        Offset = c.offset;
        WriteFrames("wasp", c.first, c.last);
        TestShell shell(folder.Path());
        shell.Answer(FramePath("wasp", 5));
        EXPECT_EQ(FatalTextOf([] { ConvertShip(); }), "File " + FramePath("wasp", c.missing) +
                                                          " is missing, need to have from " +
                                                          c.range + " .tga files per ship");
        EXPECT_EQ(shell.dialogs.size(), 1u);
        EXPECT_EQ(ReadWholeFile(folder / "indir.txt"), art);
        EXPECT_TRUE(std::filesystem::is_empty(out));
    }
}

TEST_F(QuarvinTest, NumberingFromOneIgnoresFrameZero) {
    WriteFrames("wasp", 1, 16);
    WriteWholeFile(FramePath("wasp", 0), "not an image");
    Offset = 1;
    TestShell shell(folder.Path());
    Convert(shell, FramePath("wasp", 1), out + kPathSeparator + "wasp.sh");
    RayPtr ray = LoadRay(out + kPathSeparator + "wasp.sh");
    ASSERT_EQ(ray->count, 16);
    EXPECT_EQ(ray->Get(15)->bounds.right - ray->Get(15)->bounds.left, 16);
}

TEST_F(QuarvinTest, CancelledDialogsEndTheBatchWithoutAFile) {
    WriteFrames("wasp", 0, 15);
    {
        TestShell shell(folder.Path());
        shell.Cancel();
        EXPECT_EQ(FatalTextOf([] { ConvertShip(); }), "");
        EXPECT_EQ(shell.dialogs.size(), 1u);
        EXPECT_FALSE(FileExists(folder / "indir.txt"));
    }
    {
        TestShell shell(folder.Path());
        shell.Answer(FramePath("wasp", 0));
        shell.Cancel();
        EXPECT_EQ(FatalTextOf([] { ConvertShip(); }), "");
        EXPECT_EQ(shell.dialogs.size(), 2u);
        EXPECT_TRUE(shell.written.empty());
        EXPECT_FALSE(FileExists(folder / "outdir.txt"));
        EXPECT_TRUE(std::filesystem::is_empty(out));
        // A new I starts over.
        Convert(shell, FramePath("wasp", 0), out + kPathSeparator + "wasp.sh");
        EXPECT_EQ(shell.written.size(), 1u);
    }
}

TEST_F(QuarvinTest, AlphaImagesDecideOpacityAndShading) {
    // The main frame is one colour over a 6 x 3 block; the alpha image keeps
    // a 4 x 3 part of it, with one grey pixel in the middle.
    TestImage main(12, 12);
    main.Fill(2, 4, 7, 6, 0x808080);
    TestImage alpha(12, 12);
    alpha.Fill(3, 4, 6, 6, 0xFFFFFF);
    alpha.Set(4, 5, 0x808080);
    for (int n = 0; n < 16; ++n) {
        WriteImage(FramePath("wasp", n), main);
        WriteImage(FramePath("wasp", n, "a_"), alpha, 8);
    }
    TestShell shell(folder.Path());
    Convert(shell, FramePath("wasp", 0), out + kPathSeparator + "wasp.sh");
    RayPtr ray = LoadRay(out + kPathSeparator + "wasp.sh");
    const RLSprite* s = ray->Get(0);
    // Bounds from the alpha image, seen from the centre (5, 5).
    EXPECT_EQ(BoundsOf(s), (std::vector<int32_t>{3 - 5, 4 - 5, 6 - 5, 6 - 5}));
    // One edge record: grey 128 has brightness 16, level 4.
    ASSERT_EQ(s->edgeWordCount, 2);
    EXPECT_EQ(UnpackX(s->edgeData[0]), 1);
    EXPECT_EQ(UnpackY(s->edgeData[0]), 1);
    EXPECT_EQ(s->edgeData[1] & 0xFFFF, 4u);

    // With Border on the alpha images are not looked at, even unreadable ones.
    for (int n = 0; n < 16; ++n) WriteWholeFile(FramePath("wasp", n, "a_"), "garbage");
    Border = true;
    Feather = false;
    Convert(shell, FramePath("wasp", 0), out + kPathSeparator + "outlined.sh");
    RayPtr outlined = LoadRay(out + kPathSeparator + "outlined.sh");
    EXPECT_EQ(outlined->Get(0)->edgeWordCount, 0);
}

// Offset 1 reads a_wasp01 to a_wasp16; a frame without an alpha image is
// converted without one, also right after a frame that had one.
TEST_F(QuarvinTest, OnlySomeFramesHaveAlphaImagesNumberedFromOne) {
    TestImage main(12, 12);
    main.Fill(2, 4, 7, 6, 0x808080);
    TestImage alpha(12, 12);
    alpha.Fill(3, 4, 6, 6, 0xFFFFFF);
    for (int n = 1; n <= 16; ++n) WriteImage(FramePath("wasp", n), main);
    for (int n : {4, 16}) WriteImage(FramePath("wasp", n, "a_"), alpha, 8);
    WriteWholeFile(FramePath("wasp", 0, "a_"), "not read with offset 1");
    Offset = 1;
    TestShell shell(folder.Path());
    Convert(shell, FramePath("wasp", 1), out + kPathSeparator + "wasp.sh");
    RayPtr ray = LoadRay(out + kPathSeparator + "wasp.sh");
    ASSERT_EQ(ray->count, 16);
    for (int index = 0; index < 16; ++index) {
        SCOPED_TRACE(testing::Message() << "file " << index + 1);
        const bool withAlpha = index + 1 == 4 || index + 1 == 16;
        const RLSprite* s = ray->Get(index);
        // Seen from the centre (5, 5): the alpha image's 4 x 3 block, or the
        // main frame's 6 x 3 block with its rim feathered.
        EXPECT_EQ(BoundsOf(s), withAlpha ? (std::vector<int32_t>{-2, -1, 1, 1})
                                         : (std::vector<int32_t>{-3, -1, 2, 1}));
        EXPECT_EQ(s->edgeWordCount, withAlpha ? 0 : 2 * 14);
    }
}

TEST_F(QuarvinTest, BorderStoresTheOutlineAsOpaqueBlack) {
    // A single bright pixel at (5, 5) keeps one outline pixel, right below it.
    TestImage frame(12, 12);
    frame.Set(5, 5, 0xFFFFFF);
    for (int n = 0; n < 16; ++n) WriteImage(FramePath("wasp", n), frame);
    Border = true;
    Feather = false;
    TestShell shell(folder.Path());
    Convert(shell, FramePath("wasp", 0), out + kPathSeparator + "wasp.sh");
    RayPtr ray = LoadRay(out + kPathSeparator + "wasp.sh");
    const RLSprite* s = ray->Get(0);
    EXPECT_EQ(BoundsOf(s), (std::vector<int32_t>{0, 0, 0, 1}));
    // Two runs of one pixel: white, then the outline below it as 0.
    ASSERT_EQ(s->runWordCount, 6);
    EXPECT_EQ(s->runData[2] & 0xFFFF, 0xFFFFu);
    EXPECT_EQ(s->runData[3], PackXY(0, 1));
    EXPECT_EQ(s->runData[5] & 0xFFFF, 0u);
}

TEST_F(QuarvinTest, FeatherWithoutAlphaMakesTheRimEdgeRecords) {
    TestImage frame(12, 12);
    frame.Fill(4, 4, 6, 6, 0xFFFFFF);
    for (int n = 0; n < 16; ++n) WriteImage(FramePath("wasp", n), frame);
    TestShell shell(folder.Path());
    Convert(shell, FramePath("wasp", 0), out + kPathSeparator + "wasp.sh");
    RayPtr ray = LoadRay(out + kPathSeparator + "wasp.sh");
    const RLSprite* s = ray->Get(0);
    EXPECT_EQ(s->edgeWordCount, 16);  // the eight rim pixels
    EXPECT_EQ(s->runWordCount, 3);    // the centre pixel
}

TEST_F(QuarvinTest, FramesThatCannotBeConvertedAreNamed) {
    TestImage good = Frame(3);
    TestImage black(24, 8);
    TestImage small(10, 8);
    small.Set(4, 4, 0xFFFFFF);
    struct Case {
        const char* what;
        std::function<void()> spoil;  // spoils some files of a complete ship
        std::string chosen;
        std::string text;
    };
    const std::string frame5 = FramePath("wasp", 5);
    const std::string alpha5 = FramePath("wasp", 5, "a_");
    const Case cases[] = {
        {"pixel data cut short", [&] { WriteTruncatedImage(frame5, good); }, FramePath("wasp", 0),
         "Can't load " + frame5 +
             ": its pixel data ends at byte 593 of 594; the file was cut off; save or copy it "
             "again"},
        {"not a TGA file", [&] { WriteWholeFile(frame5, "not a TGA file at all"); },
         FramePath("wasp", 0),
         "Can't load " + frame5 + ": it is not a TGA file (its header fits no TGA layout); " +
             ExportRemedy()},
        {"alpha image cut short", [&] { WriteTruncatedImage(alpha5, good); }, FramePath("wasp", 0),
         "Can't load " + alpha5 +
             ": its pixel data ends at byte 593 of 594; the file was cut off; save or copy it "
             "again"},
        {"alpha image of another size", [&] { WriteImage(alpha5, small); }, FramePath("wasp", 0),
         "Alpha image " + alpha5 + " is 10 x 8 pixels but its frame " + frame5 +
             " is 24 x 8; they must be the same size"},
        {"no visible pixel", [&] { WriteImage(frame5, black); }, FramePath("wasp", 0),
         "Frame " + frame5 + " has no visible pixel"},
        {"no visible pixel in the alpha image", [&] { WriteImage(alpha5, black); },
         FramePath("wasp", 0),
         "Frame " + frame5 + " has no visible pixel in its alpha image " + alpha5},
        {"a name too short for a frame", [] {}, art + kPathSeparator + "a.tga",
         "File name " + art + kPathSeparator +
             "a.tga is too short: a ship's frame is named by the ship's name, two frame digits "
             "and .tga"},
        {"bad depth", [&] { WriteImage(frame5, good, 16); }, FramePath("wasp", 0),
         "Must be an uncompressed 8, 24 or 32-bit RGB color file: " + frame5 +
             ": it has 16-bit pixels; save it again with 24 or 32 bits per pixel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(art);
        std::filesystem::create_directories(art);
        WriteFrames("wasp", 0, 15);
        c.spoil();
        WriteWholeFile(out + kPathSeparator + "wasp.sh", "OLD");
        TestShell shell(folder.Path());
        shell.Answer(c.chosen);
        if (c.chosen != art + kPathSeparator + "a.tga")
            shell.Answer(out + kPathSeparator + "wasp.sh");
        EXPECT_EQ(FatalTextOf([] { ConvertShip(); }), c.text);
        // The previous file stays, and nothing partial is left beside it.
        EXPECT_EQ(ReadWholeFile(out + kPathSeparator + "wasp.sh"), "OLD");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out),
                                std::filesystem::directory_iterator()),
                  1);
    }
}

TEST_F(QuarvinTest, AnOutputFileThatCannotBeCreatedIsNamed) {
    WriteFrames("wasp", 0, 15);
    TestShell shell(folder.Path());
    shell.Answer(FramePath("wasp", 0));
    shell.Answer(out + kPathSeparator + "missing/wasp.sh");
    EXPECT_EQ(FatalTextOf([] { ConvertShip(); }),
              "Unable to create file " + out + kPathSeparator + "missing/wasp.sh");
}

}  // namespace
