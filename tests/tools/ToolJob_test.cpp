#include "shell/core/ToolJob.h"

#include <string>
#include <vector>

#include "shell/core/DependencyFile.h"
#include "shell/core/DialogAnswer.h"
#include "shell/platform/FileSystem.h"
#include "support/TgaFile.h"
#include "ToolTest.h"

namespace {

class ToolJobTest : public ToolTest {
protected:
    ScratchFolder folder_;
};

// What a job names is refused as an output while it lives, whatever the
// spelling; what it read, and where it found a file missing, are what its
// outputs depend on.
TEST_F(ToolJobTest, InputsAndDependencies) {
    const std::string list = folder_.Write("ships.txt", {'w'});
    const std::string ray = folder_.Write("wasp.sh", {1});
    const std::string later = folder_.PathOf("later.sh");
    const std::string alpha = folder_.PathOf("art/a_wasp00.tga");
    EXPECT_EQ(JobInputNamedBy(list), nullptr) << "no job, nothing refused";
    {
        ToolJob job;
        job.Reads(list);
        job.WillRead(later);
        job.Reads(ray);
        job.Reads(list);
        job.LookedFor(alpha);
        job.LookedFor(folder_.PathOf("art/a_wasp01.tga"));
        EXPECT_EQ(CurrentToolJob(), &job);
        for (const std::string& input : {list, ray, later, alpha}) {
            ASSERT_NE(JobInputNamedBy(input), nullptr) << input;
            EXPECT_EQ(*JobInputNamedBy(input), input);
        }
        ASSERT_NE(JobInputNamedBy(folder_.PathOf("art/../wasp.sh")), nullptr);
        EXPECT_EQ(JobInputNamedBy(folder_.PathOf("fleet.shp")), nullptr);
        EXPECT_EQ(job.Dependencies(), (std::vector<std::string>{list, ray, folder_.PathOf("art")}));
    }
    EXPECT_EQ(CurrentToolJob(), nullptr);
    EXPECT_EQ(JobInputNamedBy(list), nullptr);
}

TEST_F(ToolJobTest, FatalTextsAreExplainedWhileAReadingLives) {
    ToolJob job;
    EXPECT_EQ(job.ExplainFatalText("LoadRlsRay: Not a RlsRay file"),
              "LoadRlsRay: Not a RlsRay file");
    {
        const ToolJob::ExplainedReading outer(job, [](const std::string& t) { return "a: " + t; });
        {
            const ToolJob::ExplainedReading inner(job,
                                                  [](const std::string& t) { return "b: " + t; });
            EXPECT_EQ(job.ExplainFatalText("x"), "b: x");
            EXPECT_EQ(FatalTextOf([] { ReportFatal("y"); }), "b: y");
        }
        EXPECT_EQ(job.ExplainFatalText("x"), "a: x");
    }
    EXPECT_EQ(job.ExplainFatalText("x"), "x");
}

// Paths come out absolute, with what Make would read otherwise escaped: a
// blank or '#' after a backslash (and the backslashes before it doubled), '$'
// doubled.
TEST_F(ToolJobTest, DependencyRulesEscapeWhatMakeWouldReadOtherwise) {
    const std::string base = AbsolutePath(folder_.PathOf("").c_str());
    struct RuleCase {
        std::string output;
        std::vector<std::string> inputs;
        std::string text;
    };
    const RuleCase cases[] = {
        {base + "wasp.sh",
         {base + "wasp00.tga", base + "art"},
         base + "wasp.sh: \\\n  " + base + "wasp00.tga \\\n  " + base + "art\n"},
        {base + "my ship.sh",
         {base + "a#1$.tga"},
         base + "my\\ ship.sh: \\\n  " + base + "a\\#1$$.tga\n"},
        {base + "none.sh", {}, base + "none.sh:\n"},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.output);
        bool representable = false;
        EXPECT_EQ(DependencyRuleText(c.output, c.inputs, representable), c.text);
        EXPECT_TRUE(representable);
    }
    // A relative path is taken from the current folder, as the program took it.
    bool representable = false;
    EXPECT_EQ(DependencyRuleText(base + "x.sh", {"x.tga"}, representable),
              base + "x.sh: \\\n  " + AbsolutePath("x.tga") + "\n");
    DependencyRuleText(base + "x.sh", {base + "two\nlines.tga"}, representable);
    EXPECT_FALSE(representable);
}

}  // namespace
