#include "TestShell.h"

#include <gtest/gtest.h>

#include "shell/core/FrontEnd.h"
#include "shell/core/ShellReset.h"
#include "shell/start/RunTool.h"

namespace {
TestShell* current = nullptr;
}  // namespace

struct TestShellAccess {
    static bool ChooseFile(void*, const char* proposed, const FileFilter& filter, char mode,
                           std::string& chosen) {
        current->dialogs.push_back(
            {mode == 'w' ? 'w' : 'r', proposed, filter.description, filter.pattern});
        if (current->answers_.empty()) {
            ADD_FAILURE() << "a dialog (" << proposed << ") opened with no answer queued";
            return false;
        }
        std::optional<std::string> answer = current->answers_.front();
        current->answers_.pop_front();
        if (!answer) return false;
        chosen = *answer;
        return true;
    }

    // Run's window: its client size, and the test's program folder in place
    // of the test program's own, which the start-up has just taken.
    static bool Open(void*, const ToolParameters& tool) {
        current->clientWidth = tool.clientWidth;
        current->clientHeight = tool.clientHeight;
        InitProgramFolder(current->programPath_.c_str());
        LoadRememberedFolders();
        return true;
    }

    static int ReleaseKeys(void*, const ToolParameters& tool) {
        for (char key : current->keys_) {
            DispatchKeyRelease(tool, key);
            if (QuitRequested()) return QuitExitCode();
        }
        return 0;
    }
};

namespace {

void RecordTitle(void*, const char* title) {
    current->titles.emplace_back(title);
}
void RecordInfo(void*, const char* text) {
    current->infos.emplace_back(text);
}
void RecordWritten(void*, const char* path) {
    current->written.emplace_back(path);
}
void RecordWarning(void*, const char* line) {
    current->warnings.emplace_back(line);
}
void Throw(void*, const char* text) {
    throw FatalError(text);
}
int NoLoop(void*, const ToolParameters&) {
    return 0;
}

const FrontEnd kTestFrontEnd = {
    .name = "test",
    .context = nullptr,
    .claimSingleInstance = nullptr,
    .open = nullptr,
    .setTitle = RecordTitle,
    .chooseFile = TestShellAccess::ChooseFile,
    .showInfo = RecordInfo,
    .showWarning = RecordWarning,
    .reportFatal = Throw,
    .outputWritten = RecordWritten,
    .run = NoLoop,
    .close = nullptr,
    .minimize = nullptr,
    .nativeWindow = nullptr,
};

const FrontEnd kRunFrontEnd = {
    .name = "test",
    .context = nullptr,
    .claimSingleInstance = nullptr,
    .open = TestShellAccess::Open,
    .setTitle = RecordTitle,
    .chooseFile = TestShellAccess::ChooseFile,
    .showInfo = RecordInfo,
    .showWarning = RecordWarning,
    .reportFatal = Throw,
    .outputWritten = RecordWritten,
    .run = TestShellAccess::ReleaseKeys,
    .close = nullptr,
    .minimize = nullptr,
    .nativeWindow = nullptr,
};

}  // namespace

TestShell::TestShell(const std::string& programFolder)
    : programPath_(programFolder + kPathSeparator + "program") {
    ResetToolShellState();
    current = this;
    SetActiveFrontEnd(&kTestFrontEnd);
    InitProgramFolder(programPath_.c_str());
    LoadRememberedFolders();
}

int TestShell::Run(const ToolParameters& tool, const std::string& keys) {
    keys_ = keys;
    const int exitCode = RunToolWith(tool, kRunFrontEnd);
    SetActiveFrontEnd(&kTestFrontEnd);
    return exitCode;
}

TestShell::~TestShell() {
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " dialog answers were not used";
    ResetToolShellState();
    current = nullptr;
}

void TestShell::Answer(const std::string& path) {
    answers_.emplace_back(path);
}
void TestShell::Cancel() {
    answers_.emplace_back(std::nullopt);
}
