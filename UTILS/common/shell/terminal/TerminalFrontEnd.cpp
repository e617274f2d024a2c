// The interactive terminal front end. The terminal is switched to raw mode:
// every byte read is one key, pressed and released at once, so keys act as
// they are typed. Ctrl-C arrives as a byte too and quits like Q. File choices
// are a prompt prefilled with the proposed path (TerminalPrompt.h).
#include <cctype>
#include <cstdio>
#include <string>

#include "fatal/FatalLine.h"
#include "shell/posix/PosixPlatform.h"
#include "shell/terminal/TerminalFrontEnd.h"
#include "shell/terminal/TerminalIo.h"
#include "shell/terminal/TerminalPrompt.h"
#include "shell/core/KeyDispatch.h"
#include "shell/core/Warnings.h"

namespace {

constexpr int kCtrlC = 3;
constexpr int kBackspace = 8;
constexpr int kEscape = 27;
constexpr int kDelete = 127;

const ToolParameters* terminalTool = nullptr;

// After an Escape byte: a lone Escape gives kEscape; Alt+letter gives the
// letter (upper case, negated); an escape sequence (arrows, function keys)
// gives 0 and is swallowed.
int ReadAfterEscape() {
    if (!ByteWaiting(kEscapeSequenceWait)) return kEscape;
    int next = ReadByte();
    if (next == '[' || next == 'O') {
        int c;
        do {
            c = ReadByte();
        } while (c >= 0 && !(c >= 0x40 && c <= 0x7E));
        return 0;
    }
    if (next >= 0 && std::isalpha(next)) return -std::toupper(next);
    return 0;
}

// A byte as a virtual-key code, or 0 for a byte that is no key of the tools.
int KeyOfByte(int byte) {
    if (std::isalpha(byte)) return std::toupper(byte);
    if (std::isdigit(byte) || byte == ' ') return byte;
    if (byte == '\r' || byte == '\n') return 13;
    if (byte == '\t') return 9;
    if (byte == kDelete || byte == kBackspace) return 8;
    return 0;
}

void WaitForKey() {
    TerminalWrite("(press a key)");
    int byte = ReadByte();
    if (byte == kEscape) ReadAfterEscape();
    TerminalWrite("\n");
}

// ---- The front end ----

bool TerminalClaim(void*, const ToolParameters& tool) {
    long runningPid = 0;
    if (ClaimToolClassLock(tool.className, runningPid)) return true;
    if (runningPid > 0) {
        std::printf("%s is already running (pid %ld)\n", tool.programName, runningPid);
    } else {
        std::printf("%s is already running\n", tool.programName);
    }
    std::fflush(stdout);
    return false;
}

bool TerminalOpen(void*, const ToolParameters& tool) {
    terminalTool = &tool;
    EnterRawMode();
    TerminalWrite(tool.programName + std::string(": keys act when released; Q or Ctrl-C quits\n"));
    return true;
}

void TerminalSetTitle(void*, const char* title) {
    // The terminal's own title too, where it keeps one.
    TerminalWrite(std::string("\033]0;") + title + "\007");
    TerminalWrite(std::string("[ ") + title + " ]\n");
}

void TerminalShowInfo(void*, const char* text) {
    TerminalWrite(std::string("\nInfo\n") + text + "\n");
    if (InRawMode()) WaitForKey();
}

void TerminalReportFatal(void*, const char* text) {
    if (!InRawMode()) {
        WriteFatalLine(text);
        return;
    }
    TerminalWrite(std::string("\n\033[1mFatal Error\033[0m\n") + text + "\n");
    WaitForKey();
    RestoreTerminal();
}

void TerminalOutputWritten(void*, const char* path) {
    TerminalWrite(std::string("Wrote ") + path + "\n");
}

int TerminalRun(void*, const ToolParameters& tool) {
    while (!QuitRequested()) {
        int byte = ReadByte();
        if (byte < 0 || byte == kCtrlC) break;
        int key = byte == kEscape ? ReadAfterEscape() : KeyOfByte(byte);
        if (key == -'Q') break;  // Alt+Q
        if (key > 0 && key != kEscape) DispatchKeyRelease(tool, key);
    }
    return QuitExitCode();
}

void TerminalClose(void*) {
    if (InRawMode()) TerminalWrite("\n");
    RestoreTerminal();
}

const FrontEnd kTerminalFrontEnd = {
    .name = "terminal",
    .context = nullptr,
    .claimSingleInstance = TerminalClaim,
    .open = TerminalOpen,
    .setTitle = TerminalSetTitle,
    .chooseFile = ChooseFileAtPrompt,
    .showInfo = TerminalShowInfo,
    .showWarning = WriteWarningLine,
    .reportFatal = TerminalReportFatal,
    .outputWritten = TerminalOutputWritten,
    .run = TerminalRun,
    .close = TerminalClose,
    .minimize = nullptr,
    .nativeWindow = nullptr,
};

}  // namespace

const FrontEnd& TerminalFrontEnd() {
    return kTerminalFrontEnd;
}
