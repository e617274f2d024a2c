#include "shell/terminal/LineEditor.h"

#include <algorithm>

namespace {

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t PreviousCharacter(const std::string& text, std::size_t at) {
    if (at == 0) return 0;
    --at;
    while (at > 0 && IsContinuation(text[at])) --at;
    return at;
}

std::size_t NextCharacter(const std::string& text, std::size_t at) {
    if (at >= text.size()) return text.size();
    ++at;
    while (at < text.size() && IsContinuation(text[at])) ++at;
    return at;
}

// Byte offsets of the characters' starts, and text.size() at the end.
std::vector<std::size_t> CharacterStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < text.size(); at = NextCharacter(text, at)) starts.push_back(at);
    starts.push_back(text.size());
    return starts;
}

}  // namespace

LineEditor::LineEditor(std::string text, const std::vector<std::string>& history)
    : text_(std::move(text)),
      cursor_(text_.size()),
      history_(history),
      historyEntry_(history.size()) {}

void LineEditor::Insert(const std::string& text) {
    text_.insert(cursor_, text);
    cursor_ += text.size();
}

void LineEditor::Recall(std::size_t entry) {
    if (historyEntry_ == history_.size()) draft_ = text_;
    historyEntry_ = entry;
    text_ = entry == history_.size() ? draft_ : history_[entry];
    cursor_ = text_.size();
}

EditOutcome LineEditor::Apply(const EditKeyPress& press) {
    switch (press.key) {
        case EditKey::Text:
            // The bytes of one UTF-8 character arrive in a row and stay together.
            text_.insert(cursor_, 1, press.byte);
            ++cursor_;
            break;
        case EditKey::Left:
            cursor_ = PreviousCharacter(text_, cursor_);
            break;
        case EditKey::Right:
            cursor_ = NextCharacter(text_, cursor_);
            break;
        case EditKey::Home:
            cursor_ = 0;
            break;
        case EditKey::End:
            cursor_ = text_.size();
            break;
        case EditKey::Backspace: {
            std::size_t start = PreviousCharacter(text_, cursor_);
            text_.erase(start, cursor_ - start);
            cursor_ = start;
            break;
        }
        case EditKey::Delete:
            text_.erase(cursor_, NextCharacter(text_, cursor_) - cursor_);
            break;
        case EditKey::ClearLine:
            text_.clear();
            cursor_ = 0;
            break;
        case EditKey::KillToEnd:
            text_.erase(cursor_);
            break;
        case EditKey::Up:
            if (historyEntry_ > 0) Recall(historyEntry_ - 1);
            break;
        case EditKey::Down:
            if (historyEntry_ < history_.size()) Recall(historyEntry_ + 1);
            break;
        case EditKey::Tab:
            return EditOutcome::Complete;
        case EditKey::Enter:
            return EditOutcome::Accept;
        case EditKey::Cancel:
        case EditKey::Interrupt:
        case EditKey::EndOfInput:
            return EditOutcome::Cancel;
        case EditKey::None:
            break;
    }
    return EditOutcome::Continue;
}

PromptView ViewOfLine(const std::string& text, std::size_t cursor, std::size_t room) {
    std::vector<std::size_t> starts = CharacterStarts(text);
    std::size_t count = starts.size() - 1;  // characters
    std::size_t at = static_cast<std::size_t>(
        std::lower_bound(starts.begin(), starts.end(), cursor) - starts.begin());
    room = std::max<std::size_t>(room, 4);
    // The cursor may stand after the last character: one column more.
    if (count + 1 <= room) return {text, at};

    // Prefer showing the end (where a path's name is); else centre the cursor.
    std::size_t first = count + 1 - (room - 1);  // '<' then the end
    if (at < first) first = at > (room - 2) / 2 ? at - (room - 2) / 2 : 0;
    bool cutLeft = first > 0;
    std::size_t width = room - (cutLeft ? 1 : 0);
    std::size_t last = std::min(count, first + width);  // one past the last shown
    bool cutRight = last < count;
    if (cutRight) --last;  // room for '>'
    std::string shown = (cutLeft ? "<" : "") +
                        text.substr(starts[first], starts[last] - starts[first]) +
                        (cutRight ? ">" : "");
    return {shown, at - first + (cutLeft ? 1 : 0)};
}
