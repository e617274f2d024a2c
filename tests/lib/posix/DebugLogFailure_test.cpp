// A log whose writes fail: debug.txt is a link to /dev/full. POSIX only.
#include <filesystem>
#include <fstream>

#include <Vantrel/DebugLog.h>
#include "support/TgaFile.h"
#include "support/VantrelTest.h"

namespace {

class DebugLogFailureTest : public VantrelTest {
protected:
    void TearDown() override {
        ResetDebugLog();
        VantrelTest::TearDown();
    }
    ScratchFolder folder_;
};

TEST_F(DebugLogFailureTest, AFailedWriteSwitchesTheLogOff) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    std::filesystem::create_symlink("/dev/full", folder_.PathOf("debug.txt"));
    for (int16_t flush : {int16_t{1}, int16_t{0}}) {
        SCOPED_TRACE(flush);
        ASSERT_NE(OpenDebugLog(folder_.PathOf("").c_str()), nullptr);
        DebugLogEnabled = 1;
        DebugLogFlush = flush;
        std::string block(1000, 'z');
        // Ten of them overflow the stream's buffer even without flushing.
        for (int i = 0; i < 10; ++i) DebugPrintf("%s", block.c_str());
        EXPECT_EQ(DebugLogStream(), nullptr) << "switched off";
        CloseDebugLog();  // the stream is gone already: nothing is closed twice
        DebugPrintf("after");
    }
}

}  // namespace
