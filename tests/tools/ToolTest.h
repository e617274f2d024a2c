// Base fixture of the tools' unit tests: the library's start-up state and
// leak check (VantrelTest), and the test shell as the front end, so that a
// fatal report of the tools' code throws FatalError (FatalTextOf) as the
// library's test programs' does. The tools' image slots are emptied after
// each test.
#ifndef TESTS_TOOLS_TOOL_TEST_H
#define TESTS_TOOLS_TOOL_TEST_H

#include <memory>

#include "images/ToolTga.h"
#include "support/TestShell.h"
#include "support/VantrelTest.h"
#include "ToolTestFiles.h"

class ToolTest : public VantrelTest {
protected:
    void SetUp() override {
        VantrelTest::SetUp();
        shell_ = std::make_unique<TestShell>(shellFolder_.Path());
    }
    void TearDown() override {
        ResetToolTga();
        shell_.reset();
        VantrelTest::TearDown();
    }

private:
    TempFolder shellFolder_;
    std::unique_ptr<TestShell> shell_;
};

#endif
