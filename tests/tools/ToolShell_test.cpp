// The shell's portable services through the test backend: program folder,
// remembered folders, output files, paths, dialog checks, escapes, command line.
#include "ToolShell.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>
#include <vector>

#include "shell/start/CommandLine.h"
#include "shell/core/FrontEnd.h"
#include "shell/core/ShellReset.h"
#include "support/TestShell.h"
#include "ToolTestFiles.h"
#include "shell/core/DialogAnswer.h"
#include "shell/core/EscapedText.h"
#include "shell/core/KeyDispatch.h"

namespace {

TEST(ProgramFolder, IsCutRightAfterTheLastSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"/opt/tools/quarvin", "/opt/tools/"},
        {"C:\\tools\\quarvin.exe", "C:\\tools\\"},
        {"C:\\tools/bin\\x.exe", "C:\\tools/bin\\"},
        {"quarvin", "quarvin"},
        {"/quarvin", "/"},
    };
    for (const auto& [path, folder] : cases) {
        InitProgramFolder(path);
        EXPECT_STREQ(ProgramFolder(), folder) << path;
    }
    ResetToolShellState();
}

class RememberedFoldersTest : public ::testing::Test {
protected:
    TempFolder folder;
};

TEST_F(RememberedFoldersTest, StartUpReadsTheFirstLineOrUsesTheProgramFolder) {
    struct Case {
        const char* what;
        std::optional<std::string> indir;
        std::string expected;  // "@" is the program folder without its separator
    };
    const Case cases[] = {
        {"first run", std::nullopt, "@"},
        {"remembered", "/art/ships", "/art/ships"},
        {"empty file leaves the initial value", "", "."},
        {"a line end stays part of the folder", "/art\nsecond line", "/art\n"},
        {"at most 255 characters", std::string(300, 'a'), std::string(255, 'a')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(folder / "indir.txt");
        if (c.indir) WriteWholeFile(folder / "indir.txt", *c.indir);
        TestShell shell(folder.Path());
        std::string expected = c.expected == "@" ? folder.Path() : c.expected;
        EXPECT_EQ(InputFolder, expected);
        EXPECT_EQ(OutputFolder, folder.Path());
    }
}

TEST_F(RememberedFoldersTest, AChosenFolderIsWrittenOnlyWhenItDiffers) {
    TestShell shell(folder.Path());
    RememberChosenFolder("/art/ships/wasp00.tga", RememberedFolder::Input);
    EXPECT_STREQ(InputFolder, "/art/ships");
    EXPECT_EQ(ReadWholeFile(folder / "indir.txt"), "/art/ships");
    EXPECT_FALSE(FileExists(folder / "outdir.txt"));

    struct stat before {};
    stat((folder / "indir.txt").c_str(), &before);
    RememberChosenFolder("/art/ships/wasp07.tga", RememberedFolder::Input);
    struct stat after {};
    stat((folder / "indir.txt").c_str(), &after);
    EXPECT_EQ(before.st_ino, after.st_ino) << "the same folder must not be written again";

    RememberChosenFolder("/art/Ships/wasp00.tga", RememberedFolder::Input);
    EXPECT_EQ(ReadWholeFile(folder / "indir.txt"), "/art/Ships");

    RememberChosenFolder("wasp.sh", RememberedFolder::Output);
    EXPECT_STREQ(OutputFolder, folder.Path().c_str());
    RememberChosenFolder("/out/wasp.sh", RememberedFolder::Output);
    EXPECT_EQ(ReadWholeFile(folder / "outdir.txt"), "/out");
    RememberChosenFolder("/wasp.sh", RememberedFolder::Output);
    EXPECT_STREQ(OutputFolder, "");
}

TEST_F(RememberedFoldersTest, AFolderFileThatCannotBeWrittenIsSkipped) {
    std::filesystem::create_directory(folder / "indir.txt");  // no file can replace it
    TestShell shell(folder.Path());
    RememberChosenFolder("/art/wasp00.tga", RememberedFolder::Input);
    EXPECT_STREQ(InputFolder, "/art");
    EXPECT_TRUE(std::filesystem::is_directory(folder / "indir.txt"));
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos);
    }
}

TEST_F(RememberedFoldersTest, LeftAloneTheyAreNeitherReadNorWritten) {
    WriteWholeFile(folder / "indir.txt", "/art/ships");
    TestShell shell(folder.Path());
    LeaveFolderFilesAlone();
    LoadRememberedFolders();
    EXPECT_EQ(InputFolder, folder.Path()) << "a first run's folder, not the remembered one";
    EXPECT_EQ(OutputFolder, folder.Path());
    EXPECT_STREQ(FolderFilesFolder(), "");
    RememberChosenFolder("/art/other/wasp00.tga", RememberedFolder::Input);
    RememberChosenFolder("/out/wasp.sh", RememberedFolder::Output);
    EXPECT_STREQ(InputFolder, "/art/other") << "the folder is still kept for the run";
    EXPECT_STREQ(OutputFolder, "/out");
    EXPECT_EQ(ReadWholeFile(folder / "indir.txt"), "/art/ships");
    EXPECT_FALSE(FileExists(folder / "outdir.txt"));
}

class OutputFileTest : public ::testing::Test {
protected:
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    TempFolder folder;
};

TEST_F(OutputFileTest, TheTargetChangesOnlyWhenTheFileIsFinished) {
    TestShell shell(folder.Path());
    const std::string target = folder / "ship.sh";
    WriteWholeFile(target, "OLD");
    chmod(target.c_str(), 0640);
    struct stat original {};
    stat(target.c_str(), &original);
    std::FILE* stream = BeginOutputFile(target.c_str());
    ASSERT_NE(stream, nullptr);
    std::fputs("NEW", stream);
    std::fflush(stream);
    EXPECT_EQ(ReadWholeFile(target), "OLD");
    EXPECT_EQ(Names().size(), 2u);
    ASSERT_TRUE(FinishOutputFile(stream));
    EXPECT_EQ(ReadWholeFile(target), "NEW");
    EXPECT_EQ(Names(), std::vector<std::string>{"ship.sh"});
    struct stat details {};
    stat(target.c_str(), &details);
    EXPECT_EQ(details.st_mode & 0777, original.st_mode & 0777)
        << "a replaced file keeps its permissions";
    EXPECT_EQ(shell.written, std::vector<std::string>{target});
}

TEST_F(OutputFileTest, AbandonAndFatalLeaveThePreviousFile) {
    TestShell shell(folder.Path());
    const std::string target = folder / "ship.sh";
    WriteWholeFile(target, "OLD");
    std::FILE* first = BeginOutputFile(target.c_str());
    ASSERT_NE(first, nullptr);
    std::fputs("PARTIAL", first);
    AbandonOutputFile(first);
    EXPECT_EQ(Names(), std::vector<std::string>{"ship.sh"});

    std::FILE* second = BeginOutputFile(target.c_str());
    std::FILE* other = BeginOutputFile((folder / "new.sh").c_str());
    ASSERT_NE(second, nullptr);
    ASSERT_NE(other, nullptr);
    std::fputs("PARTIAL", second);
    EXPECT_EQ(FatalTextOf([] { ReportFatal("StoreRLSprite: Unable to write to file"); }),
              "StoreRLSprite: Unable to write to file");
    EXPECT_EQ(Names(), std::vector<std::string>{"ship.sh"});
    EXPECT_EQ(ReadWholeFile(target), "OLD");
    EXPECT_TRUE(shell.written.empty());
}

TEST_F(OutputFileTest, AMissingFolderGivesNoStream) {
    TestShell shell(folder.Path());
    EXPECT_EQ(BeginOutputFile((folder / "nowhere/ship.sh").c_str()), nullptr);
    EXPECT_FALSE(FinishOutputFile(nullptr));
}

TEST(Paths, AreJoinedWithTheSeparatorAndNeverCutShort) {
    TestShell shell("/tmp");
    char path[kPathBufferSize];
    JoinPath(path, "/art", "*.tga");
    EXPECT_EQ(path, std::string("/art") + kPathSeparator + "*.tga");
    FormatPath(path, "%s%c%s.sh", "/out", kPathSeparator, "wasp");
    EXPECT_EQ(path, std::string("/out") + kPathSeparator + "wasp.sh");
    JoinPath(path, std::string(250, 'f').c_str(), "1234");
    EXPECT_EQ(std::strlen(path), 255u);

    const std::string folder(250, 'f');
    EXPECT_EQ(FatalTextOf([&] { JoinPath(path, folder.c_str(), "12345"); }),
              "Path longer than 255 characters: " + folder + kPathSeparator + "12345");
    EXPECT_EQ(FatalTextOf([&] { FormatPath(path, "%s/%s.sh", folder.c_str(), "wasp"); }),
              "Path longer than 255 characters: " + folder + "/wasp.sh");
    EXPECT_EQ(path, folder + kPathSeparator + "1234") << "a refused path leaves the buffer";

    EXPECT_STREQ(PathFileName("/art/wasp00.tga"), "wasp00.tga");
    EXPECT_STREQ(PathFileName("wasp00.tga"), "wasp00.tga");
    EXPECT_EQ(LastPathSeparator("wasp"), nullptr);
}

TEST(Dialogs, ChosenPathsLongerThan255CharactersAreFatal) {
    TestShell shell("/tmp");
    const std::string chosen = "/" + std::string(300, 'c');
    shell.Answer(chosen);
    char path[kPathBufferSize] = "/x/*.tga";
    EXPECT_EQ(FatalTextOf([&] { ChooseFile(path, "Any\0*.*\0", 'r'); }),
              "Path longer than 255 characters: " + chosen);
}

TEST(Dialogs, AnswersAreCheckedAsTheSystemDialogsDo) {
    TempFolder folder;
    WriteWholeFile(folder / "art/wasp00.tga", "x");
    WriteWholeFile(folder / "out/locked.sh", "x");
    chmod((folder / "out/locked.sh").c_str(), 0444);
    struct Case {
        std::string path;
        char mode;
        DialogAnswer expected;
    };
    const Case cases[] = {
        {folder / "art/wasp00.tga", 'r', DialogAnswer::Accepted},
        {folder / "art/wasp01.tga", 'r', DialogAnswer::Missing},
        {folder / "art", 'r', DialogAnswer::Missing},
        {folder / "art/*.tga", 'r', DialogAnswer::Wildcard},
        {folder / "out/new.sh", 'w', DialogAnswer::Accepted},
        {folder / "art/wasp00.tga", 'w', DialogAnswer::Replaces},
        {folder / "out/locked.sh", 'w', DialogAnswer::ReadOnly},
        {folder / "nowhere/new.sh", 'w', DialogAnswer::NoFolder},
        {folder / "out", 'w', DialogAnswer::IsFolder},
        {folder / "out/", 'w', DialogAnswer::IsFolder},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckDialogAnswer(c.path.c_str(), c.mode), c.expected) << c.path << " " << c.mode;
    }
    // A rooted answer keeps its root (on Windows the current drive comes first).
    const std::string rooted = AbsolutePath("/a/./b/../c//d.sh");
    const std::string tail =
        std::string(1, kPathSeparator) + "a" + kPathSeparator + "c" + kPathSeparator + "d.sh";
    ASSERT_GE(rooted.size(), tail.size());
    EXPECT_EQ(rooted.substr(rooted.size() - tail.size()), tail);
    EXPECT_LE(rooted.size(), tail.size() + 2) << rooted;
    EXPECT_EQ(AbsolutePath("d.sh"), (std::filesystem::current_path() / "d.sh").string());
}

TEST(ScriptText, EscapesRoundTrip) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain path", "plain path"},
        {"C:\\art", "C:\\\\art"},
        {"/art\n", "/art\\n"},
        {"a\rb\tc\x7f", "a\\rb\\x09c\\x7F"},
    };
    for (const auto& [text, escaped] : cases) {
        EXPECT_EQ(EscapeText(text.c_str()), escaped);
        std::string back;
        ASSERT_TRUE(UnescapeText(escaped, back));
        EXPECT_EQ(back, text);
    }
    std::string out;
    for (const char* bad : {"a\\", "\\q", "\\x4", "\\x00", "\\xzz"}) {
        EXPECT_FALSE(UnescapeText(bad, out)) << bad;
    }
}

int offsetValue = 0;
bool borderOn = false;
bool ApplyOffset(const char* value) {
    if (std::strcmp(value, "0") != 0 && std::strcmp(value, "1") != 0) return false;
    offsetValue = value[0] - '0';
    return true;
}
bool ApplyBorder(const char*) {
    borderOn = true;
    return true;
}
const ToolFlag kFlags[] = {
    {"--border", nullptr, "outline", ApplyBorder},
    {"--offset", "0|1", "first frame number", ApplyOffset},
};
const ToolParameters kTool = {
    .programName = "tool",
    .className = "Tool",
    .clientWidth = 100,
    .clientHeight = 20,
    .updateTitle = nullptr,
    .onKeyRelease = nullptr,
    .runKey = 'I',
    .inputHelp = "IN.txt",
    .outputHelp = "OUT.sh",
    .summary = "A tool.",
    .flags = kFlags,
    .flagCount = 2,
};

CommandLine Parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "tool");
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    CommandLine result = ParseCommandLine(kTool, static_cast<int>(arguments.size()),
                                          const_cast<char**>(arguments.data()));
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    return result;
}

TEST(CommandLine, PicksTheFrontEndAndAppliesFlagsInOrder) {
    using Mode = CommandLine::Mode;
    struct Case {
        std::vector<const char*> arguments;
        Mode mode;
        int exitCode;
    };
    const Case cases[] = {
        {{}, Mode::Interactive, 0},
        {{"--border"}, Mode::Interactive, 0},
        {{"in.txt"}, Mode::Batch, 0},
        {{"-o", "out.sh", "in.txt"}, Mode::Batch, 0},
        {{"--offset", "1", "in.txt"}, Mode::Batch, 0},
        {{"--offset=1", "in.txt"}, Mode::Batch, 0},
        {{"--script", "-"}, Mode::Script, 0},
        {{"--", "-in.txt"}, Mode::Batch, 0},
        {{"--help"}, Mode::Finished, 0},
        {{"--version"}, Mode::Finished, 0},
        {{"--offset", "2", "in.txt"}, Mode::Finished, 2},
        {{"--offset"}, Mode::Finished, 2},
        {{"--border=1", "in.txt"}, Mode::Finished, 2},
        {{"--bogus", "in.txt"}, Mode::Finished, 2},
        {{"a.txt", "b.txt"}, Mode::Finished, 2},
        {{"-o", "out.sh"}, Mode::Finished, 2},
        {{"-o"}, Mode::Finished, 2},
        {{"--script", "-", "in.txt"}, Mode::Finished, 2},
    };
    for (const Case& c : cases) {
        CommandLine result = Parse(c.arguments);
        std::string joined;
        for (const char* a : c.arguments) joined += std::string(a) + " ";
        EXPECT_EQ(result.mode, c.mode) << joined;
        EXPECT_EQ(result.exitCode, c.exitCode) << joined;
    }
    offsetValue = 0;
    borderOn = false;
    CommandLine result = Parse({"--border", "--offset", "1", "-o", "o.sh", "--", "-f.txt"});
    EXPECT_TRUE(borderOn);
    EXPECT_EQ(offsetValue, 1);
    EXPECT_STREQ(result.output, "o.sh");
    EXPECT_STREQ(result.input, "-f.txt");
}

TEST(ListDirectory, GivesNamesWithOrWithoutExtensions) {
    TempFolder folder;
    WriteWholeFile(folder / "wasp00.tga", "x");
    WriteWholeFile(folder / "a.b.tga", "x");
    WriteWholeFile(folder / "other.txt", "x");
    DynList<char*> names;
    auto take = [&] {
        std::vector<std::string> out;
        for (int i = 0; i < names.Count(); ++i) out.emplace_back(names.Get(i));
        while (names.Count() > 0) {
            DebugFree(names.Get(0));
            names.RemoveAt(0);
        }
        return out;
    };
    const std::string pattern = folder / "*.tga";
    ASSERT_EQ(ListDirectory(pattern.c_str(), names, true), 0);
    EXPECT_EQ(take(), (std::vector<std::string>{"a.b", "wasp00"}));
    ASSERT_EQ(ListDirectory(pattern.c_str(), names, false), 0);
    EXPECT_EQ(take(), (std::vector<std::string>{"a.b.tga", "wasp00.tga"}));
    EXPECT_EQ(ListDirectory((folder / "*.none").c_str(), names, false), -1);
    EXPECT_EQ(names.Count(), 0);
}

TEST(FileTimeText, IsTheRuntimeTimeTextOf26Bytes) {
    TempFolder folder;
    WriteWholeFile(folder / "f.txt", "x");
    char text[64];
    ASSERT_EQ(FileTimeText((folder / "f.txt").c_str(), text), 0);
    ASSERT_EQ(std::strlen(text), 25u);
    EXPECT_EQ(text[24], '\n');
    EXPECT_EQ(text[3], ' ');
    EXPECT_EQ(text[7], ' ');
    EXPECT_EQ(text[13], ':');
    EXPECT_EQ(FileTimeText((folder / "none").c_str(), text), -1);
}

}  // namespace
