#include "lists/ListLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/ScratchStream.h"

namespace {

std::vector<std::string> LinesOf(const std::string& text) {
    Stream scratch = StreamOfText(text);
    std::FILE* stream = scratch.get();
    std::vector<std::string> lines;
    char line[256];
    while (ReadListLine(stream, line)) lines.emplace_back(line);
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

struct PlacedLine {
    std::string text;
    int lineNumber;
    bool piece;
    bool operator==(const PlacedLine&) const = default;
};

std::vector<PlacedLine> PlacedLinesOf(const std::string& text) {
    Stream scratch = StreamOfText(text);
    std::FILE* stream = scratch.get();
    std::vector<PlacedLine> lines;
    char line[256];
    ListLinePlace place;
    while (ReadListLine(stream, line, place))
        lines.push_back({line, place.lineNumber, place.piece});
    return lines;
}

void PrintTo(const PlacedLine& line, std::ostream* out) {
    *out << "line " << line.lineNumber << (line.piece ? " (piece) " : " ") << line.text.size()
         << " chars";
}

TEST(ReadListLine, TellsEachLinesNumberAndWhetherItIsAPiece) {
    const std::string x255(255, 'x');
    EXPECT_EQ(PlacedLinesOf("// list\n\nwasp\r\n" + x255 + "tail\nhornet"),
              (std::vector<PlacedLine>{
                  {"wasp", 3, false}, {x255, 4, false}, {"tail", 4, true}, {"hornet", 5, false}}));
    // Exactly 255 characters lose nothing: no piece follows.
    EXPECT_EQ(PlacedLinesOf(x255 + "\nz\n"),
              (std::vector<PlacedLine>{{x255, 1, false}, {"z", 2, false}}));
    // Three pieces of one line.
    EXPECT_EQ(PlacedLinesOf(x255 + x255 + "ab\n:T\n"),
              (std::vector<PlacedLine>{
                  {x255, 1, false}, {x255, 1, true}, {"ab", 1, true}, {":T", 2, false}}));
}

}  // namespace
