// A program whose ReportFatal returns, as one written in C or defined without
// the attribute does: the library must not go on with a failed result, but
// end the process with abort() after one line that says so.
//
// This program's own ReportFatal is defined here without <Vantrel/Fatal.h>,
// so that it can return (with the [[noreturn]] declaration in sight a
// compiler refuses a definition that returns). It is a program of its own:
// the library tests' ReportFatal throws.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>

#include <Vantrel/RLSprite.h>
#include <Vantrel/RLSpriteEncode.h>
#include <Vantrel/Rls.h>

extern const int ProgramScreenWidth = 640;
extern const int ProgramScreenHeight = 480;

void ReportFatal(const char* text) {
    std::fprintf(stderr, "the program was told: %s\n", text);
}

namespace {

std::string Line(const std::string& text) {
    return "the program was told: " + text +
           "\nVantrel: ReportFatal returned instead of ending the program: " + text;
}

TEST(ReturningReportFatalDeathTest, EveryClassicLoaderAbortsWithItsLine) {
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    const char* absent = "/nonexistent-folder/absent";
    EXPECT_EXIT(LoadRlsRay(absent), testing::KilledBySignal(SIGABRT),
                Line("LoadRlsRay: Unable to open file"));
    EXPECT_EXIT(RlsFamilyLoad(absent), testing::KilledBySignal(SIGABRT),
                Line("RlsFamily: Unable to open file"));
    EXPECT_EXIT(LoadRLSprite(absent), testing::KilledBySignal(SIGABRT),
                Line("LoadRLSprite: Unable to open file"));
    // A refusal found while decoding, from a stream.
    EXPECT_EXIT(
        {
            std::FILE* stream = std::tmpfile();
            std::fputs("\x01\xAE\x05", stream);
            std::rewind(stream);
            LoadRlsRay(nullptr, 640, stream);
        },
        testing::KilledBySignal(SIGABRT), Line("LoadRlsRay: Unable to read file"));
    EXPECT_EXIT(StoreRlsRay(nullptr, absent), testing::KilledBySignal(SIGABRT),
                Line("StoreRlsRay: Not a storable ray"));
}

void BindToNoPitch() {
    RLSprite sprite{};
    BindRLSprite(&sprite, 0);
}

void AnchorTooFar() {
    RLSprite sprite{};
    AnchorRLSprite(sprite, Rect{0, 0, 0, 0}, 40000, 0);
}

// A rectangle wider than any image: refused before a pixel is read.
void EncodeTooWide() {
    const RLSpriteSource none{nullptr, nullptr};
    RLSprite sprite{};
    EncodeRLSprite(none, Rect{0, 0, 70000, 0}, sprite);
}

TEST(ReturningReportFatalDeathTest, BindingAnchoringAndEncodingAbortWithTheirLines) {
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(BindToNoPitch(), testing::KilledBySignal(SIGABRT), Line("BindRLSprite: Bad pitch"));
    EXPECT_EXIT(AnchorTooFar(), testing::KilledBySignal(SIGABRT), Line("Hot spot too far 40000\n"));
    EXPECT_EXIT(EncodeTooWide(), testing::KilledBySignal(SIGABRT),
                Line("Sprite too large 70001\n"));
}

}  // namespace
