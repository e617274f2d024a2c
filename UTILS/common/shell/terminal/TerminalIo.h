// The terminal itself, for the terminal front end and its file prompt: raw
// mode, bytes in, text out, the width of a line.
#ifndef UTILS_COMMON_SHELL_TERMINAL_TERMINAL_IO_H
#define UTILS_COMMON_SHELL_TERMINAL_TERMINAL_IO_H

#include <string>

#include "shell/terminal/EditKeys.h"

// Switches standard input to raw mode (every byte is a key, nothing echoed);
// restored at exit and on SIGTERM and SIGHUP. False when it is no terminal.
bool EnterRawMode();
void RestoreTerminal();
bool InRawMode();

void TerminalWrite(const std::string& text);
// The next byte of standard input, or -1 at its end.
int ReadByte();
bool ByteWaiting(int milliseconds);
// Columns of the terminal (80 when it does not say).
int TerminalWidth();

// Standard input as the line editor's byte source.
class TerminalBytes : public ByteSource {
public:
    int Next() override { return ReadByte(); }
    bool Waiting(int milliseconds) override { return ByteWaiting(milliseconds); }
};

#endif
