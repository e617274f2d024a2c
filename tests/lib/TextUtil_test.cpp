#include <Vantrel/TextUtil.h>

#include <cstring>
#include <string>
#include <vector>

#include "support/VantrelTest.h"

namespace {

class TextUtilTest : public VantrelTest {};

TEST_F(TextUtilTest, SkipSpacesStopsAtTheFirstOtherCharacter) {
    struct Case {
        const char* text;
        size_t skipped;
    };
    const Case cases[] = {{"abc", 0}, {"  \t\nabc", 4}, {" \r x", 1},
                          {"   ", 3}, {"", 0},          {"\v a", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SkipSpaces(c.text), c.text + c.skipped);
        std::string copy = c.text;
        EXPECT_EQ(SkipSpaces(copy.data()), copy.data() + c.skipped);
    }
}

TEST_F(TextUtilTest, TrimRightRemovesTrailingWhiteSpaceAndCountsIt) {
    struct Case {
        const char* text;
        const char* trimmed;
        int removed;
    };
    const Case cases[] = {
        {"ship.tga\n", "ship.tga", 1}, {"a b \t\n \n", "a b", 5}, {"  ", "", 2}, {"", "", 0},
        {"x\r\n", "x\r", 1},           {" lead", " lead", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string buffer = c.text;
        EXPECT_EQ(TrimRight(buffer.data()), c.removed);
        EXPECT_STREQ(buffer.c_str(), c.trimmed);
    }
}

TEST_F(TextUtilTest, GetTokenCutsAtTheFirstDelimiter) {
    struct Case {
        const char* text;
        const char* delimiters;
        size_t size;
        const char* token;
        size_t stop;  // offset of the returned position
    };
    const Case cases[] = {
        {"  name = value", "=", 64, "name", 7},
        {"\tfirst,second", ",", 64, "first", 6},
        {"no delimiter  \n", ",;", 64, "no delimiter", 15},
        {"a;b,c", ",;", 64, "a", 1},
        {"", ",", 64, "", 0},
        {" ,x", ",", 64, "", 1},
        {"abcdefgh,", ",", 4, "abc", 8},  // cut to the buffer, position still the delimiter
        {"ab  cd  ,", ",", 5, "ab", 8},   // the cut copy is trimmed too
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        char token[80];
        std::memset(token, '#', sizeof token);
        EXPECT_EQ(GetToken(c.text, token, c.size, c.delimiters), c.text + c.stop);
        EXPECT_STREQ(token, c.token);
        EXPECT_EQ(token[c.size], '#');
    }
}

std::vector<std::string> Split(const std::string& text, bool escaped) {
    char** lines = nullptr;
    int count = SplitLines(text.c_str(), &lines, escaped);
    EXPECT_NE(lines, nullptr);
    std::vector<std::string> result(lines, lines + count);
    FreeLines(lines, count);
    return result;
}

TEST_F(TextUtilTest, SplitLinesWithAndWithoutEscapes) {
    using Lines = std::vector<std::string>;
    struct Case {
        std::string text;
        bool escaped;
        Lines lines;
    };
    std::string longLine(300, 'L');
    const Case cases[] = {
        {"a\\nb", true, {"a", "b"}},
        {"a\\nb", false, {"a\\nb"}},
        {"one\ntwo\n", false, {"one", "two"}},
        {"one\n\n\ntwo", false, {"one", "two"}},
        {"\\n\\nx\\n", true, {"x"}},
        {"a\\tb\\nc", true, {"a\\tb\\nc"}},  // the first backslash is not followed by n
        {"a\nb", true, {"a\nb"}},
        {"trailing\\", true, {"trailing\\"}},
        {"", false, {}},
        {"1\n2\n3\n4\n5\n6\n7\n8\n9\n10", false, {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {longLine, false, {longLine.substr(0, 255)}},
        {longLine + "\nnext", false, {longLine.substr(0, 255)}},  // no feed in reach: one line
        {std::string(200, 's') + "\nnext", false, {std::string(200, 's'), "next"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text.substr(0, 40) << (c.escaped ? " escaped" : ""));
        EXPECT_EQ(Split(c.text, c.escaped), c.lines);
    }
}

}  // namespace
