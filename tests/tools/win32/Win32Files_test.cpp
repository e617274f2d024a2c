// The Windows platform services of the tool shell: separators, the program's
// path, remembered folders written with backslashes, the wildcard listing,
// the file time text, the output files that replace their target and the
// removal of leftovers of ended writers.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "shell/platform/TemporaryName.h"
#include "ToolShell.h"
#include "shell/platform/Platform.h"
#include <Vantrel/DebugAlloc.h>
#include "support/TestShell.h"
#include "tools/ToolTestFiles.h"

namespace {

std::string Windows(std::string path) {
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

TEST(Win32Paths, BackslashIsWrittenAndBothSeparatorsSplit) {
    EXPECT_EQ(kPathSeparator, '\\');
    struct Case {
        const char* path;
        const char* fileName;
    };
    const Case cases[] = {
        {"C:\\art\\ships\\wasp00.tga", "wasp00.tga"},
        {"C:/art/ships/wasp00.tga", "wasp00.tga"},
        {"C:\\art/ships\\wasp00.tga", "wasp00.tga"},
        {"C:/art\\wasp00.tga", "wasp00.tga"},
        {"C:wasp00.tga", "C:wasp00.tga"},
        {"wasp00.tga", "wasp00.tga"},
    };
    for (const Case& c : cases) EXPECT_STREQ(PathFileName(c.path), c.fileName) << c.path;

    TestShell shell("C:\\tools");
    char path[kPathBufferSize];
    JoinPath(path, "C:\\art", "*.tga");
    EXPECT_STREQ(path, "C:\\art\\*.tga");
}

TEST(Win32Paths, ProgramPathIsTheRunningProgram) {
    char path[kPathBufferSize];
    ASSERT_TRUE(QueryProgramPath(path, sizeof path));
    std::string text = path;
    ASSERT_GE(text.size(), 4u);
    EXPECT_EQ(text.substr(text.size() - 4), ".exe");
    EXPECT_NE(std::strchr(path, '\\'), nullptr);
    char small[8];
    EXPECT_FALSE(QueryProgramPath(small, sizeof small)) << "a cut path is refused";
}

TEST(Win32RememberedFolders, EitherSeparatorEndsTheChosenFolder) {
    TempFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    struct Case {
        const char* chosen;
        const char* remembered;
    };
    const Case cases[] = {
        {"C:\\art\\ships\\wasp00.tga", "C:\\art\\ships"},
        {"C:/art/ships/wasp00.tga", "C:/art/ships"},
        {"C:\\art/Ships\\wasp00.tga", "C:\\art/Ships"},
    };
    for (const Case& c : cases) {
        TestShell shell(folder.Path());
        RememberChosenFolder(c.chosen, RememberedFolder::Input);
        EXPECT_STREQ(InputFolder, c.remembered) << c.chosen;
        EXPECT_EQ(ReadWholeFile(folder / "indir.txt"), c.remembered) << c.chosen;
    }
}

TEST(Win32RememberedFolders, StartUpReadsTheFolderBesideTheProgram) {
    TempFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    {
        TestShell shell(folder.Path());
        EXPECT_EQ(std::string(InputFolder), Windows(folder.Path())) << "no indir.txt yet";
        RememberChosenFolder("C:\\art\\wasp00.tga", RememberedFolder::Input);
        RememberChosenFolder("D:\\out\\wasp.sh", RememberedFolder::Output);
    }
    TestShell again(folder.Path());
    EXPECT_STREQ(InputFolder, "C:\\art");
    EXPECT_STREQ(OutputFolder, "D:\\out");
}

class Win32Listing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder_.Path().empty());
        for (const char* name : {"wasp00.tga", "a.b.tga", "hornet.tga", "notes.txt", "noext"}) {
            WriteWholeFile(folder_ / name, "x");
        }
        blocksAtStart_ = CountBlocks();
    }
    void TearDown() override {
        while (list_.Count() > 0) {
            DebugFree(list_.Get(0));
            list_.RemoveAt(0);
        }
        EXPECT_EQ(CountBlocks(), blocksAtStart_);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int32_t i = 0; i < list_.Count(); ++i) names.emplace_back(list_.Get(i));
        return names;
    }

    TempFolder folder_;
    DynList<char*> list_;
    int blocksAtStart_ = 0;
};

TEST_F(Win32Listing, ListsMatchesSortedWithOrWithoutExtensions) {
    struct Case {
        const char* pattern;
        bool dropExtensions;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"*.tga", true, {"a.b", "hornet", "wasp00"}},
        {"*.tga", false, {"a.b.tga", "hornet.tga", "wasp00.tga"}},
        {"*", true, {"a.b", "hornet", "noext", "notes", "wasp00"}},
        {"w*.tga", true, {"wasp00"}},
    };
    for (const Case& c : cases) {
        std::string pattern = Windows(folder_.Path()) + "\\" + c.pattern;
        ASSERT_EQ(ListDirectory(pattern.c_str(), list_, c.dropExtensions), 0) << pattern;
        EXPECT_EQ(Names(), c.names) << pattern << " (the folder's . and .. are no names)";
    }
}

TEST_F(Win32Listing, NothingMatchingEmptiesTheList) {
    std::string pattern = Windows(folder_.Path()) + "\\*.tga";
    ASSERT_EQ(ListDirectory(pattern.c_str(), list_, false), 0);
    ASSERT_GT(list_.Count(), 0);
    std::string none = Windows(folder_.Path()) + "\\*.shp";
    EXPECT_EQ(ListDirectory(none.c_str(), list_, false), -1);
    EXPECT_EQ(list_.Count(), 0) << "the earlier names are freed, not kept";
    std::string missing = Windows(folder_.Path()) + "\\absent\\*.tga";
    EXPECT_EQ(ListDirectory(missing.c_str(), list_, false), -1);
}

TEST(Win32FileTime, TheRuntimeTimeTextOrMinusOne) {
    TempFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    WriteWholeFile(folder / "wasp.sh", "x");
    char text[32];
    std::memset(text, '#', sizeof text);
    ASSERT_EQ(FileTimeText((folder / "wasp.sh").c_str(), text), 0);
    EXPECT_TRUE(
        std::regex_match(text, std::regex("(Sun|Mon|Tue|Wed|Thu|Fri|Sat) [A-Z][a-z]{2} [0-9]{2} "
                                          "[0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4}\n")))
        << text;
    EXPECT_EQ(std::strlen(text), 25u);
    EXPECT_EQ(text[26], '#') << "26 bytes and no more";
    EXPECT_EQ(FileTimeText((folder / "absent.sh").c_str(), text), -1);
}

TEST(Win32OutputFiles, ReplaceTheTargetOnlyWhenComplete) {
    TempFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    TestShell shell(folder.Path());
    const std::string target = Windows(folder / "wasp.sh");
    WriteWholeFile(target, "old");

    std::FILE* abandoned = BeginOutputFile(target.c_str());
    ASSERT_NE(abandoned, nullptr);
    std::fputs("partial", abandoned);
    AbandonOutputFile(abandoned);
    EXPECT_EQ(ReadWholeFile(target), "old");

    std::FILE* finished = BeginOutputFile(target.c_str());
    ASSERT_NE(finished, nullptr);
    std::fputs("new\n", finished);
    ASSERT_TRUE(FinishOutputFile(finished));
    EXPECT_EQ(ReadWholeFile(target), "new\n") << "binary: no carriage return added";

    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 1) << "no temporary is left";
    EXPECT_EQ(shell.written, std::vector<std::string>{target});

    const std::string noFolder = Windows(folder / "absent/wasp.sh");
    EXPECT_EQ(BeginOutputFile(noFolder.c_str()), nullptr);
}

// The id of a process that has ended: a copy of this program that runs no test.
DWORD EndedProcessId() {
    char program[kPathBufferSize];
    if (!QueryProgramPath(program, sizeof program)) return 0;
    std::string command = std::string("\"") + program + "\" --gtest_list_tests --gtest_filter=-*";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process))
        return 0;
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return process.dwProcessId;
}

bool ProcessRuns(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr) return false;
    DWORD exitCode = 0;
    bool runs = GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE;
    CloseHandle(process);
    return runs;
}

TEST(Win32OutputFiles, TheNextWriteRemovesOnlyTheLeftoversOfEndedWriters) {
    TempFolder folder;
    ASSERT_FALSE(folder.Path().empty());
    TestShell shell(folder.Path());
    DWORD ended = EndedProcessId();
    ASSERT_NE(ended, 0u);
    const std::string suffix = TemporarySuffix(ended, 0x0a1b2c3d);
    struct Case {
        std::string name;
        bool removed;
    };
    const Case cases[] = {
        {"wasp.sh" + suffix, true},
        {"wasp.sh" + TemporarySuffix(GetCurrentProcessId(), 0x0a1b2c3d), false},
        {"other.sh" + suffix, false},
        {"wasp.sh" + suffix + ".bak", false},
        {"wasp.sh.tmp-0" + std::to_string(ended) + "-0a1b2c3d", false},
        {"wasp.sh.tmp-" + std::to_string(ended) + "-0a1b2c3", false},
    };
    for (const Case& c : cases) WriteWholeFile(folder / c.name, "left");

    std::FILE* stream = BeginOutputFile(Windows(folder / "wasp.sh").c_str());
    ASSERT_NE(stream, nullptr);
    ASSERT_TRUE(FinishOutputFile(stream));
    if (FileExists(folder / cases[0].name) && ProcessRuns(ended)) {
        GTEST_SKIP() << "the ended process's id belongs to a new process now";
    }
    for (const Case& c : cases) EXPECT_EQ(!FileExists(folder / c.name), c.removed) << c.name;
}

}  // namespace
