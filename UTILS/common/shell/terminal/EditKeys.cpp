#include "shell/terminal/EditKeys.h"

#include <string>

namespace {

constexpr int kEscape = 27;

EditKeyPress Key(EditKey key) {
    return EditKeyPress{key, 0};
}

EditKey ControlKey(int byte) {
    switch (byte) {
        case 1:
            return EditKey::Home;  // Ctrl-A
        case 2:
            return EditKey::Left;  // Ctrl-B
        case 3:
            return EditKey::Interrupt;  // Ctrl-C
        case 4:
            return EditKey::Delete;  // Ctrl-D
        case 5:
            return EditKey::End;  // Ctrl-E
        case 6:
            return EditKey::Right;  // Ctrl-F
        case 8:
            return EditKey::Backspace;  // Ctrl-H
        case 9:
            return EditKey::Tab;
        case 10:
        case 13:
            return EditKey::Enter;
        case 11:
            return EditKey::KillToEnd;  // Ctrl-K
        case 14:
            return EditKey::Down;  // Ctrl-N
        case 16:
            return EditKey::Up;  // Ctrl-P
        case 21:
            return EditKey::ClearLine;  // Ctrl-U
        case 127:
            return EditKey::Backspace;
        default:
            return EditKey::None;
    }
}

// The key of a sequence's final byte; parameters as in "1;5" or "3".
EditKey SequenceKey(const std::string& parameters, int final) {
    switch (final) {
        case 'A':
            return EditKey::Up;
        case 'B':
            return EditKey::Down;
        case 'C':
            return EditKey::Right;
        case 'D':
            return EditKey::Left;
        case 'H':
            return EditKey::Home;
        case 'F':
            return EditKey::End;
        case '~': {
            std::string first = parameters.substr(0, parameters.find(';'));
            if (first == "1" || first == "7") return EditKey::Home;
            if (first == "4" || first == "8") return EditKey::End;
            if (first == "3") return EditKey::Delete;
            return EditKey::None;
        }
        default:
            return EditKey::None;
    }
}

EditKeyPress ReadAfterEscape(ByteSource& bytes) {
    if (!bytes.Waiting(kEscapeSequenceWait)) return Key(EditKey::Cancel);
    int next = bytes.Next();
    if (next < 0) return Key(EditKey::Cancel);
    if (next == 'O') {  // ESC O x: the cursor keys of the application mode
        int final = bytes.Next();
        return final < 0 ? Key(EditKey::EndOfInput) : Key(SequenceKey("", final));
    }
    if (next != '[') return Key(EditKey::None);  // Alt+key
    // ESC [ parameters (0x30-0x3F), intermediates (0x20-0x2F), final (0x40-0x7E)
    std::string parameters;
    for (;;) {
        int c = bytes.Next();
        if (c < 0) return Key(EditKey::EndOfInput);
        if (c >= 0x40 && c <= 0x7E) return Key(SequenceKey(parameters, c));
        if (c < 0x20 || c > 0x3F) return Key(EditKey::None);  // not a sequence after all
        parameters += static_cast<char>(c);
    }
}

}  // namespace

EditKeyPress ReadEditKey(ByteSource& bytes) {
    int byte = bytes.Next();
    if (byte < 0) return Key(EditKey::EndOfInput);
    if (byte == kEscape) return ReadAfterEscape(bytes);
    if (byte < 0x20 || byte == 127) return Key(ControlKey(byte));
    return EditKeyPress{EditKey::Text, static_cast<char>(byte)};
}
