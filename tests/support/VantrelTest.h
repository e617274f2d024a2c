// Base fixture of the library tests: every test starts from the program's
// start-up state (RGB565, the standard colours, the start seed) and must give
// back every tracked block it took.
#ifndef TESTS_SUPPORT_VANTREL_TEST_H
#define TESTS_SUPPORT_VANTREL_TEST_H

#include <gtest/gtest.h>

#include <Vantrel/DebugAlloc.h>
#include <Vantrel/Pixel.h>
#include <Vantrel/Random.h>
#include "TestFatal.h"

class VantrelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetPixelMode();
        SelectProgramPixelMode();
        SetRandomSeed(1963);
        blocksAtStart_ = CountBlocks();
    }
    void TearDown() override {
        EXPECT_EQ(CountBlocks(), blocksAtStart_) << "a tracked block leaked";
        ResetPixelMode();
    }

private:
    int blocksAtStart_ = 0;
};

#endif
