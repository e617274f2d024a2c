// The line being typed at the terminal's file prompt: its text, the cursor,
// and the answers given earlier in the run (Up and Down). Pure state: the
// front end reads the keys (EditKeys.h), draws the line (PromptView) and does
// the completion when Apply says so.
#ifndef UTILS_COMMON_SHELL_TERMINAL_LINE_EDITOR_H
#define UTILS_COMMON_SHELL_TERMINAL_LINE_EDITOR_H

#include <cstddef>
#include <string>
#include <vector>

#include "shell/terminal/EditKeys.h"

enum class EditOutcome { Continue, Accept, Cancel, Complete };

class LineEditor {
public:
    // Starts with text, the cursor at its end. history: earlier answers, the
    // oldest first; it must outlive the editor.
    LineEditor(std::string text, const std::vector<std::string>& history);

    EditOutcome Apply(const EditKeyPress& press);
    // Inserts text at the cursor (a completion), the cursor after it.
    void Insert(const std::string& text);

    const std::string& Text() const { return text_; }
    // The cursor as a byte offset into Text(), always at a character's start.
    std::size_t Cursor() const { return cursor_; }

private:
    void Recall(std::size_t entry);

    std::string text_;
    std::size_t cursor_;
    const std::vector<std::string>& history_;
    std::size_t historyEntry_;  // == history_.size(): the line being typed
    std::string draft_;         // that line while an earlier answer is shown
};

// What the prompt line shows of text when at most room characters fit: the
// whole text, or a part holding the cursor with '<' / '>' where it is cut.
// Characters are UTF-8 sequences, each one column wide.
struct PromptView {
    std::string shown;
    std::size_t cursorColumn;  // in characters from the start of shown
};
PromptView ViewOfLine(const std::string& text, std::size_t cursor, std::size_t room);

#endif
