// The terminal prompt's line editor, fed the bytes a terminal sends: cursor
// and editing keys as control characters and escape sequences, UTF-8 text,
// the run's earlier answers, and the part of a long line that is shown.
#include "shell/terminal/LineEditor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Bytes from a text; a byte "arrives in time" after an Escape when the text
// holds one more.
class TextBytes : public ByteSource {
public:
    explicit TextBytes(std::string text) : text_(std::move(text)) {}
    int Next() override {
        return at_ < text_.size() ? static_cast<unsigned char>(text_[at_++]) : -1;
    }
    bool Waiting(int) override { return at_ < text_.size(); }

private:
    std::string text_;
    std::size_t at_ = 0;
};

struct Typed {
    std::string text;
    std::size_t cursor;
    EditOutcome outcome;
    int completions;  // Tab presses seen
};

// Types bytes into an editor that starts with start, until it accepts,
// cancels or the bytes run out; a Tab inserts "<TAB>".
Typed TypeInto(const std::string& start, const std::string& bytes,
               const std::vector<std::string>& history = {}) {
    LineEditor editor(start, history);
    TextBytes source(bytes);
    Typed typed{"", 0, EditOutcome::Continue, 0};
    for (;;) {
        EditOutcome outcome = editor.Apply(ReadEditKey(source));
        if (outcome == EditOutcome::Complete) {
            ++typed.completions;
            editor.Insert("<TAB>");
            continue;
        }
        if (outcome != EditOutcome::Continue) {
            typed.outcome = outcome;
            break;
        }
    }
    typed.text = editor.Text();
    typed.cursor = editor.Cursor();
    return typed;
}

const std::string kLeft = "\x1b[D";
const std::string kRight = "\x1b[C";
const std::string kUp = "\x1b[A";
const std::string kDown = "\x1b[B";

std::string Repeat(const std::string& key, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += key;
    return out;
}

TEST(LineEditor, KeysFromTheirBytes) {
    struct Case {
        const char* what;
        std::string start;
        std::string bytes;
        std::string text;
        std::size_t cursor;
        EditOutcome outcome;
    };
    const auto accept = EditOutcome::Accept;
    const auto cancel = EditOutcome::Cancel;
    const Case cases[] = {
        {"Enter accepts the prefilled text", "/art/*.tga", "\r", "/art/*.tga", 10, accept},
        {"a line feed accepts too", "x", "\n", "x", 1, accept},
        {"typing appends at the end", "/art/", "wasp.tga\r", "/art/wasp.tga", 13, accept},
        {"left arrows then text inserts", "abc", Repeat(kLeft, 2) + "X\r", "aXbc", 2, accept},
        {"right arrow stops at the end", "ab", Repeat(kLeft, 2) + Repeat(kRight, 5) + "!\r", "ab!",
         3, accept},
        {"left arrow stops at the start", "ab", Repeat(kLeft, 5) + "!\r", "!ab", 1, accept},
        {"application-mode arrows (ESC O D)", "ab", "\x1bOD\x1bODX\r", "Xab", 1, accept},
        {"Home (ESC [ H) and End (ESC [ F)", "bc", "\x1b[Ha\x1b[Fd\r", "abcd", 4, accept},
        {"Home and End as ESC [ 1 ~ and ESC [ 4 ~", "bc", "\x1b[1~a\x1b[4~d\r", "abcd", 4, accept},
        {"Home and End as ESC [ 7 ~ and ESC [ 8 ~", "bc", "\x1b[7~a\x1b[8~d\r", "abcd", 4, accept},
        {"Ctrl-A and Ctrl-E", "bc",
         "\x01"
         "a\x05"
         "d\r",
         "abcd", 4, accept},
        {"Ctrl-B and Ctrl-F", "ac",
         "\x02"
         "b\x06"
         "d\r",
         "abcd", 4, accept},
        {"Backspace (DEL) removes before the cursor", "abc", kLeft + "\x7f\r", "ac", 1, accept},
        {"Backspace (Ctrl-H) too", "abc", "\x08\r", "ab", 2, accept},
        {"Backspace at the start does nothing", "ab", "\x1b[H\x7f\r", "ab", 0, accept},
        {"Delete (ESC [ 3 ~) removes at the cursor", "abc", "\x1b[H\x1b[3~\r", "bc", 0, accept},
        {"Delete at the end does nothing", "ab", "\x1b[3~\r", "ab", 2, accept},
        {"Ctrl-D deletes at the cursor", "abc", kLeft + "\x04\r", "ab", 2, accept},
        {"Ctrl-U clears the line", "/art/*.tga", "\x15/out/x.sh\r", "/out/x.sh", 9, accept},
        {"Ctrl-K cuts to the end", "abcdef", Repeat(kLeft, 3) + "\x0b\r", "abc", 3, accept},
        {"ctrl+arrow moves like the arrow", "ab", "\x1b[1;5DX\r", "aXb", 2, accept},
        {"a function key is ignored", "ab", "\x1b[15~\x1bOP\r", "ab", 2, accept},
        {"Alt+letter is ignored", "ab", "\x1bx\r", "ab", 2, accept},
        {"a lone Escape cancels", "ab", "c\x1b", "abc", 3, cancel},
        {"Ctrl-C cancels", "ab", "c\x03zz", "abc", 3, cancel},
        {"the end of input cancels", "ab", "c", "abc", 3, cancel},
        {"a sequence cut by the end of input cancels", "ab", "\x1b[1", "ab", 2, cancel},
        {"left steps over a whole UTF-8 character", "b\xc3\xa9", kLeft + "X\r", "bX\xc3\xa9", 2,
         accept},
        {"backspace removes a whole UTF-8 character",
         "\xe2\x82\xac"
         "a",
         kLeft + "\x7f\r", "a", 0, accept},
        {"delete removes a whole UTF-8 character",
         "a\xf0\x9f\x98\x80"
         "b",
         "\x1b[H" + kRight + "\x1b[3~\r", "ab", 1, accept},
        {"UTF-8 typed in the middle stays whole", "ab", kLeft + "\xc3\xa9" + kLeft + "X\r",
         "aX\xc3\xa9"
         "b",
         2, accept},
    };
    for (const Case& c : cases) {
        Typed typed = TypeInto(c.start, c.bytes);
        EXPECT_EQ(typed.text, c.text) << c.what;
        EXPECT_EQ(typed.cursor, c.cursor) << c.what;
        EXPECT_EQ(typed.outcome, c.outcome) << c.what;
    }
}

TEST(LineEditor, TabAsksForACompletionAtTheCursor) {
    Typed typed = TypeInto("/art/wa", kLeft + "\t\r");
    EXPECT_EQ(typed.completions, 1);
    EXPECT_EQ(typed.text, "/art/w<TAB>a");
}

TEST(LineEditor, UpAndDownRecallTheRunsEarlierAnswers) {
    const std::vector<std::string> history = {"/art/one.tga", "/art/two.tga"};
    struct Case {
        const char* what;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"Up: the latest answer", kUp + "\r", "/art/two.tga"},
        {"Up twice: the one before", Repeat(kUp, 2) + "\r", "/art/one.tga"},
        {"Up stops at the oldest", Repeat(kUp, 5) + "\r", "/art/one.tga"},
        {"Down after Up: the line being typed", "x" + Repeat(kUp, 2) + Repeat(kDown, 2) + "\r",
         "/art/*.tgax"},
        {"Down past the line being typed does nothing", Repeat(kDown, 3) + "\r", "/art/*.tga"},
        {"Ctrl-P and Ctrl-N", "\x10\x10\x0e\r", "/art/two.tga"},
        {"an earlier answer can be edited", kUp + "\x7f\x7f\x7fpng\r", "/art/two.png"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TypeInto("/art/*.tga", c.bytes, history).text, c.text) << c.what;
    }
    EXPECT_EQ(TypeInto("x", kUp + "\r").text, "x") << "no earlier answers";
}

TEST(PromptView, ShowsTheCursorsPartOfALongLine) {
    struct Case {
        std::string text;
        std::size_t cursor;
        std::size_t room;
        std::string shown;
        std::size_t column;
    };
    const Case cases[] = {
        {"/art/wasp.tga", 13, 20, "/art/wasp.tga", 13},
        {"/art/wasp.tga", 0, 20, "/art/wasp.tga", 0},
        {"abcdefghijklmnop", 16, 10, "<ijklmnop", 9},
        {"abcdefghijklmnop", 10, 10, "<ijklmnop", 3},
        {"abcdefghijklmnop", 0, 10, "abcdefghi>", 0},
        {"abcdefghijklmnop", 6, 10, "<cdefghij>", 5},
        {"\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", 12, 5, "<\xc3\xa9\xc3\xa9\xc3\xa9", 4},
    };
    for (const Case& c : cases) {
        PromptView view = ViewOfLine(c.text, c.cursor, c.room);
        EXPECT_EQ(view.shown, c.shown) << c.text << " at " << c.cursor;
        EXPECT_EQ(view.cursorColumn, c.column) << c.text << " at " << c.cursor;
    }
}

TEST(PromptView, EveryCursorPlaceFitsAndPointsAtItsCharacter) {
    const std::string text = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (std::size_t room = 4; room <= 40; ++room) {
        for (std::size_t length = 0; length <= text.size(); ++length) {
            std::string line = text.substr(0, length);
            for (std::size_t cursor = 0; cursor <= length; ++cursor) {
                PromptView view = ViewOfLine(line, cursor, room);
                ASSERT_LE(view.shown.size(), room) << line << " " << cursor << " " << room;
                ASSERT_LT(view.cursorColumn, room) << line << " " << cursor << " " << room;
                if (cursor < length) {
                    ASSERT_EQ(view.shown[view.cursorColumn], line[cursor])
                        << line << " " << cursor << " " << room;
                } else {
                    ASSERT_EQ(view.cursorColumn, view.shown.size()) << line << " " << room;
                }
            }
        }
    }
}

}  // namespace
