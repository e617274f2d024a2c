#include "TestShell.h"

#include <gtest/gtest.h>

#include "shell/FrontEnd.h"
#include "shell/ShellState.h"

namespace {
TestShell* current = nullptr;
}  // namespace

struct TestShellAccess {
    static bool ChooseFile(const char* proposed, const FileFilter& filter, char mode,
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
};

namespace {

void RecordTitle(const char* title) {
    current->titles.emplace_back(title);
}
void RecordInfo(const char* text) {
    current->infos.emplace_back(text);
}
void RecordWritten(const char* path) {
    current->written.emplace_back(path);
}
void Throw(const char* text) {
    throw FatalError(text);
}
int NoLoop(const ToolParameters&) {
    return 0;
}

const FrontEnd kTestFrontEnd = {
    .name = "test",
    .claimSingleInstance = nullptr,
    .open = nullptr,
    .setTitle = RecordTitle,
    .chooseFile = TestShellAccess::ChooseFile,
    .showInfo = RecordInfo,
    .reportFatal = Throw,
    .outputWritten = RecordWritten,
    .run = NoLoop,
    .close = nullptr,
    .minimize = nullptr,
};

}  // namespace

TestShell::TestShell(const std::string& programFolder) {
    ResetToolShellState();
    current = this;
    SetActiveFrontEnd(&kTestFrontEnd);
    InitProgramFolder((programFolder + kPathSeparator + "program").c_str());
    LoadRememberedFolders();
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
