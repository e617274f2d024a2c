#include <Vantrel/DebugLog.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "support/TgaFile.h"
#include "support/VantrelTest.h"

namespace {

class DebugLogTest : public VantrelTest {
protected:
    void SetUp() override {
        VantrelTest::SetUp();
        ResetDebugLog();
        folderWithSeparator_ = folder_.PathOf("");
    }
    void TearDown() override {
        ResetDebugLog();
        VantrelTest::TearDown();
    }
    std::string LogText() const {
        std::ifstream in(folder_.PathOf("debug.txt"), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    ScratchFolder folder_;
    std::string folderWithSeparator_;
};

TEST_F(DebugLogTest, SilentUntilOpenedAndEnabled) {
    EXPECT_EQ(DebugLogEnabled, 0);
    EXPECT_EQ(DebugLogFlush, 1);
    DebugLogEnabled = 1;
    DebugPrintf("before open %d", 1);  // no log: nothing happens
    DebugLogEnabled = 0;
    ASSERT_NE(OpenDebugLog(folderWithSeparator_.c_str()), nullptr);
    DebugPrintf("while disabled");
    EXPECT_EQ(LogText(), "");
    DebugLogEnabled = 1;
    DebugPrintf("%s=%d;", "frame", 7);
    DebugPrintf("next");
    EXPECT_EQ(LogText(), "frame=7;next") << "on disk at once, nothing added";
}

TEST_F(DebugLogTest, OpeningEmptiesAnOldLog) {
    folder_.Write("debug.txt", {'o', 'l', 'd'});
    ASSERT_NE(OpenDebugLog(folderWithSeparator_.c_str()), nullptr);
    EXPECT_EQ(LogText(), "");
    EXPECT_EQ(std::string(DebugLogPath()), folder_.PathOf("debug.txt"));
}

TEST_F(DebugLogTest, WithoutFlushMessagesReachTheDiskOnClose) {
    ASSERT_NE(OpenDebugLog(folderWithSeparator_.c_str()), nullptr);
    DebugLogEnabled = 1;
    DebugLogFlush = 0;
    DebugPrintf("a");
    DebugPrintf("b");
    CloseDebugLog();
    EXPECT_EQ(LogText(), "ab");
    CloseDebugLog();  // a second close does nothing
    EXPECT_EQ(DebugLogPath(), nullptr);
    DebugPrintf("c");
    EXPECT_EQ(LogText(), "ab");
}

TEST_F(DebugLogTest, LongMessagesAreCutAt1023Characters) {
    ASSERT_NE(OpenDebugLog(folderWithSeparator_.c_str()), nullptr);
    DebugLogEnabled = 1;
    std::string longText(3000, 'x');
    DebugPrintf("%s", longText.c_str());
    EXPECT_EQ(LogText(), std::string(1023, 'x'));
}

TEST_F(DebugLogTest, RefusesAFolderTooLongForThePathBuffer) {
    std::string folder(505, 'd');
    EXPECT_EQ(OpenDebugLog(folder.c_str()), nullptr);
    EXPECT_EQ(DebugLogPath(), nullptr);
    EXPECT_EQ(OpenDebugLog(folder_.PathOf("missing/").c_str()), nullptr);
}

TEST_F(DebugLogTest, ReopeningClosesThePreviousLog) {
    ASSERT_NE(OpenDebugLog(folderWithSeparator_.c_str()), nullptr);
    DebugLogEnabled = 1;
    DebugPrintf("first");
    ASSERT_NE(OpenDebugLog(folderWithSeparator_.c_str()), nullptr);
    DebugPrintf("second");
    EXPECT_EQ(LogText(), "second");
}

TEST_F(DebugLogTest, FormatStringStaysInsideItsBuffer) {
    struct Case {
        size_t size;
        const char* expected;
        int length;
    };
    const Case cases[] = {{32, "ship 12 of 16", 13}, {8, "ship 12", 7}, {1, "", 0}};
    for (const Case& c : cases) {
        char buffer[40];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(FormatString(buffer, c.size, "ship %d of %d", 12, 16), c.length);
        EXPECT_STREQ(buffer, c.expected);
        EXPECT_EQ(buffer[c.size], '#') << "nothing written past the size";
    }
}

}  // namespace
