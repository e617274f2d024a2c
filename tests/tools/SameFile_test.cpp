#include "shell/core/SameFile.h"

#include <filesystem>

#include "support/TgaFile.h"
#include "ToolTest.h"

namespace {

namespace fs = std::filesystem;

class SameFileTest : public ToolTest {
protected:
    ScratchFolder folder_;
};

TEST_F(SameFileTest, SpellingsLinksAndMissingFiles) {
    const std::string frame = folder_.Write("wasp05.tga", {1, 2, 3});
    const std::string other = folder_.Write("wasp06.tga", {1, 2, 3});
    fs::create_directories(folder_.PathOf("sub"));
    const std::string dotted = folder_.PathOf("sub") + "/../wasp05.tga";
    std::error_code error;
    fs::create_hard_link(frame, folder_.PathOf("hard.tga"), error);
    const bool hardLinks = !error;
    struct SameCase {
        const char* name;
        std::string first, second;
        bool same;
    };
    const SameCase cases[] = {
        {"itself", frame, frame, true},
        {"through a folder and back", dotted, frame, true},
        {"another file of the same bytes", frame, other, false},
        {"missing, same spelling after normalising", folder_.PathOf("new.sh"),
         folder_.PathOf("sub") + "/../new.sh", true},
        {"missing and existing", folder_.PathOf("new.sh"), frame, false},
        {"empty", "", frame, false},
    };
    for (const SameCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(NamesSameFile(c.first, c.second), c.same);
        EXPECT_EQ(NamesSameFile(c.second, c.first), c.same);
    }
    if (hardLinks) {
        EXPECT_TRUE(NamesSameFile(folder_.PathOf("hard.tga"), frame));
    }

    const std::vector<std::string> inputs = {other, frame};
    ASSERT_NE(InputNamedBy(dotted, inputs), nullptr);
    EXPECT_EQ(*InputNamedBy(dotted, inputs), frame);
    EXPECT_EQ(InputNamedBy(folder_.PathOf("wasp.sh"), inputs), nullptr);
}

}  // namespace
