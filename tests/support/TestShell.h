// The test backend of the tool shell: tool logic runs in process.
//
// While a TestShell lives it is the shell's front end: ReportFatal throws
// FatalError (output files still open are abandoned first, as in the real
// shell), ChooseFile answers from a queue and records every dialog, and the
// titles and warnings are recorded. The program folder is the given folder;
// the remembered folders start as the real start-up leaves them (indir.txt / outdir.txt of
// that folder, or the folder itself).
//
//     TestShell shell(dir);
//     shell.Answer(dir + "/list.txt");   // the open dialog
//     shell.Cancel();                    // the save dialog
//     EXPECT_EQ(FatalTextOf([] { BuildFamily(); }), "You must provide ...");
//
// Run starts a tool as a program does (the shell core's start-up, then key
// releases from a list) and records the client size its window opened with.
//
// A dialog with no queued answer is cancelled and fails the test.
#ifndef TESTS_SUPPORT_TEST_SHELL_H
#define TESTS_SUPPORT_TEST_SHELL_H

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ToolShell.h"
#include "TestFatal.h"

struct DialogRecord {
    char mode;  // 'r' or 'w'
    std::string proposed;
    std::string filterDescription;
    std::string filterPattern;
};

class TestShell {
public:
    // programFolder: a folder path without its trailing separator.
    explicit TestShell(const std::string& programFolder);
    ~TestShell();
    TestShell(const TestShell&) = delete;
    TestShell& operator=(const TestShell&) = delete;

    // Queues the answer of the next dialog: a path (taken as given, no checks)
    // or a cancel.
    void Answer(const std::string& path);
    void Cancel();

    // Runs the tool through the shell core's start-up (window opened with the
    // tool's client size, the class name as first title, then the tool's own
    // title) and releases keys in turn, Q included, until a quit is
    // requested; keys after that are not released. The program folder stays
    // the one given to the constructor. Returns the exit code.
    int Run(const ToolParameters& tool, const std::string& keys);

    std::vector<std::string> titles;
    std::vector<DialogRecord> dialogs;
    std::vector<std::string> infos;
    std::vector<std::string> warnings;  // whole lines, "Warning: <text>"
    std::vector<std::string> written;   // output files completed, in order
    int clientWidth = 0;                // the window Run opened; 0 before Run
    int clientHeight = 0;

private:
    friend struct TestShellAccess;
    std::deque<std::optional<std::string>> answers_;
    std::string programPath_;
    std::string keys_;
};

#endif
