// The keys of the terminal's line editor, decoded from the bytes a terminal
// sends in raw mode: printable bytes, control characters (Ctrl-A ... Ctrl-U)
// and the escape sequences of the cursor and editing keys (ESC [ D, ESC O H,
// ESC [ 3 ~, ...). Needs no terminal: the bytes come from a ByteSource.
#ifndef UTILS_COMMON_SHELL_TERMINAL_EDIT_KEYS_H
#define UTILS_COMMON_SHELL_TERMINAL_EDIT_KEYS_H

enum class EditKey {
    None,  // a key the editor does not use (Alt+letter, F5, ...)
    Text,  // a byte of text (UTF-8 sequences arrive one byte at a time)
    Left,
    Right,
    Home,
    End,
    Backspace,
    Delete,
    Up,
    Down,  // earlier and later answers
    Tab,   // completion
    Enter,
    Cancel,     // a lone Escape
    Interrupt,  // Ctrl-C
    ClearLine,  // Ctrl-U
    KillToEnd,  // Ctrl-K
    EndOfInput,
};

struct EditKeyPress {
    EditKey key = EditKey::None;
    char byte = 0;  // for EditKey::Text
};

// Where the bytes come from: the terminal, or a text in the tests.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // The next byte, or -1 at the end of input.
    virtual int Next() = 0;
    // True when a byte arrives within milliseconds (tells a lone Escape from
    // the start of a sequence).
    virtual bool Waiting(int milliseconds) = 0;
};

// Milliseconds a byte after an Escape may take to count as part of a sequence.
constexpr int kEscapeSequenceWait = 30;

EditKeyPress ReadEditKey(ByteSource& bytes);

#endif
