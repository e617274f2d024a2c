#include "ListLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string> LinesOf(const std::string& text) {
    std::FILE* stream = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), stream);
    std::rewind(stream);
    std::vector<std::string> lines;
    char line[256];
    while (ReadListLine(stream, line)) lines.emplace_back(line);
    std::fclose(stream);
    return lines;
}

struct ListCase {
    const char* what;
    std::string text;
    std::vector<std::string> lines;
};

TEST(ReadListLine, SkipsBlankZeroAndCommentLinesAndDropsOneLineFeed) {
    const ListCase cases[] = {
        {"plain lines", "a\nb\n", {"a", "b"}},
        {"last line without a line end", "a\nb", {"a", "b"}},
        {"blank lines", "\n\na\n\n", {"a"}},
        {"comments only at the very start", "// x\n //y\n/x\n", {" //y", "/x"}},
        {"a line whose first byte is zero", std::string("\0abc\nd\n", 7), {"d"}},
        {"spaces are kept", "  hull \n", {"  hull "}},
        {"text lines pass through", ":Raider\n:\n", {":Raider", ":"}},
        {"CR LF ends a line like LF", "a\r\nb\r\n\r\nc", {"a", "b", "c"}},
        {"a lone CR stays", "a\rb\n", {"a\rb"}},
        {"empty input", "", {}},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(LinesOf(c.text), c.lines);
    }
}

TEST(ReadListLine, ReadsLongLinesIn255CharacterPieces) {
    const std::string long300(300, 'x');
    EXPECT_EQ(LinesOf(long300 + "\nend\n"),
              (std::vector<std::string>{std::string(255, 'x'), std::string(45, 'x'), "end"}));
    // Exactly 255 characters: the line feed comes alone next and is skipped.
    EXPECT_EQ(LinesOf(std::string(255, 'y') + "\nz\n"),
              (std::vector<std::string>{std::string(255, 'y'), "z"}));
    // 254 characters and CR LF fit in one line, as in text mode.
    EXPECT_EQ(LinesOf(std::string(254, 'w') + "\r\nz\r\n"),
              (std::vector<std::string>{std::string(254, 'w'), "z"}));
    // A piece that starts with "//" is a comment too.
    EXPECT_EQ(LinesOf(std::string(255, 'v') + "//rest\nz\n"),
              (std::vector<std::string>{std::string(255, 'v'), "z"}));
}

}  // namespace
