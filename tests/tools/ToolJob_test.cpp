#include "shell/core/ToolJob.h"

#include <string>
#include <vector>

#include "shell/core/DependencyFile.h"
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
        EXPECT_EQ(job.Dependencies(),
                  (std::vector<std::string>{list, ray, folder_.PathOf("art")}));
    }
    EXPECT_EQ(CurrentToolJob(), nullptr);
    EXPECT_EQ(JobInputNamedBy(list), nullptr);
}

TEST_F(ToolJobTest, FatalTextsAreExplainedWhileAReadingLives) {
    ToolJob job;
    EXPECT_EQ(job.ExplainFatalText("LoadRlsRay: Not a RlsRay file"), "LoadRlsRay: Not a RlsRay file");
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

TEST_F(ToolJobTest, DependencyRulesEscapeWhatMakeWouldReadOtherwise) {
    struct RuleCase {
        std::string output;
        std::vector<std::string> inputs;
        std::string text;
    };
    const RuleCase cases[] = {
        {"/out/wasp.sh", {"/art/wasp00.tga", "/art"}, "/out/wasp.sh: \\\n  /art/wasp00.tga \\\n  /art\n"},
        {"/out/my ship.sh", {"/art/a#1$.tga"}, "/out/my\\ ship.sh: \\\n  /art/a\\#1$$.tga\n"},
        {"C:\\out\\x.sh", {"C:\\art\\ x\\"}, "C:\\out\\x.sh: \\\n  C:\\art\\\\\\ x\\\\\n"},
        {"/out/none.sh", {}, "/out/none.sh:\n"},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.output);
        bool representable = false;
        EXPECT_EQ(DependencyRuleText(c.output, c.inputs, representable), c.text);
        EXPECT_TRUE(representable);
    }
    bool representable = true;
    DependencyRuleText("/out/x.sh", {"/art/two\nlines.tga"}, representable);
    EXPECT_FALSE(representable);
}

}  // namespace
