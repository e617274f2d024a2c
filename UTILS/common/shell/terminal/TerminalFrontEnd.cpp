// The interactive terminal front end. The terminal is switched to raw mode:
// every byte read is one key, pressed and released at once, so keys act as
// they are typed. Ctrl-C arrives as a byte too and quits like Q. File choices
// are a prompt prefilled with the proposed path.
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <Vantrel/dynlist.h>
#include "FatalLine.h"
#include "shell/posix/PosixPlatform.h"
#include "TerminalFrontEnd.h"

namespace {

constexpr int kCtrlC = 3;
constexpr int kBackspace = 8;
constexpr int kCtrlU = 21;
constexpr int kEscape = 27;
constexpr int kDelete = 127;

termios savedMode{};
bool rawMode = false;
const ToolParameters* terminalTool = nullptr;

void Write(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

void RestoreTerminal() {
    if (!rawMode) return;
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedMode);
    rawMode = false;
}

void RestoreOnSignal(int signalNumber) {
    if (rawMode) tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedMode);
    RemoveTemporariesOnSignal();
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

bool EnterRawMode() {
    if (tcgetattr(STDIN_FILENO, &savedMode) != 0) return false;
    termios raw = savedMode;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
    raw.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL | BRKINT | INPCK | ISTRIP);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    if (tcsetattr(STDIN_FILENO, TCSAFLUSH, &raw) != 0) return false;
    rawMode = true;
    std::atexit(RestoreTerminal);
    signal(SIGTERM, RestoreOnSignal);
    signal(SIGHUP, RestoreOnSignal);
    return true;
}

// The next byte, or -1 at the end of input.
int ReadByte() {
    unsigned char byte = 0;
    for (;;) {
        ssize_t got = read(STDIN_FILENO, &byte, 1);
        if (got == 1) return byte;
        if (got == 0 || (got < 0 && errno != EINTR)) return -1;
    }
}

bool ByteWaiting(int milliseconds) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    return poll(&input, 1, milliseconds) > 0;
}

// After an Escape byte: a lone Escape gives kEscape; Alt+letter gives the
// letter (upper case, negated); an escape sequence (arrows, function keys)
// gives 0 and is swallowed.
int ReadAfterEscape() {
    if (!ByteWaiting(30)) return kEscape;
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

int TerminalWidth() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 8) return size.ws_col;
    return 80;
}

void WaitForKey() {
    Write("(press a key)");
    int byte = ReadByte();
    if (byte == kEscape) ReadAfterEscape();
    Write("\n");
}

// ---- The file prompt ----

void DrawPrompt(const std::string& text) {
    // Only the end of a long path is shown, so the line never wraps.
    std::size_t room = static_cast<std::size_t>(TerminalWidth() - 4);
    std::string shown = text.size() > room ? "<" + text.substr(text.size() - room + 1) : text;
    Write("\r\033[K> " + shown);
}

void ListMatches(const std::string& pattern) {
    DynList<char*> names;
    if (ListDirectory(pattern.c_str(), names, false) != 0) {
        Write("\n  nothing matches\n");
    } else {
        Write("\n");
        for (int i = 0; i < names.Count(); ++i) {
            if (i < 40) Write(std::string("  ") + names.Get(i) + "\n");
        }
        if (names.Count() > 40) Write("  ... " + std::to_string(names.Count() - 40) + " more\n");
    }
    while (names.Count() > 0) {
        DebugFree(names.Get(0));
        names.RemoveAt(0);
    }
}

// Edits text until Enter (true) or Escape / Ctrl-C (false).
bool EditLine(std::string& text) {
    DrawPrompt(text);
    for (;;) {
        int byte = ReadByte();
        if (byte < 0 || byte == kCtrlC) return false;
        if (byte == kEscape) {
            int after = ReadAfterEscape();
            if (after == kEscape) return false;
        } else if (byte == '\r' || byte == '\n') {
            return true;
        } else if (byte == kDelete || byte == kBackspace) {
            // Remove one character, with all the bytes of a UTF-8 sequence.
            while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
                text.pop_back();
            if (!text.empty()) text.pop_back();
        } else if (byte == kCtrlU) {
            text.clear();
        } else if (byte >= 0x20) {
            text += static_cast<char>(byte);
        }
        DrawPrompt(text);
    }
}

bool AskYes(const std::string& question) {
    Write("\n" + question + " (y/n) ");
    int byte = ReadByte();
    if (byte == kEscape) ReadAfterEscape();
    bool yes = byte == 'y' || byte == 'Y';
    Write(yes ? "yes\n" : "no\n");
    return yes;
}

bool TerminalChooseFile(const char* proposed, const FileFilter& filter, char mode,
                        std::string& chosen) {
    Write(std::string("\n") + (mode == 'w' ? "File To Write" : "File To Read") + " - " +
          filter.description + " (" + filter.pattern + ")   Enter accepts, Esc cancels\n");
    std::string text = proposed;
    for (;;) {
        if (!EditLine(text)) {
            Write("\ncancelled\n");
            return false;
        }
        chosen = AbsolutePath(text.c_str());
        DialogAnswer verdict = CheckDialogAnswer(chosen.c_str(), mode);
        if (verdict == DialogAnswer::Accepted) break;
        if (verdict == DialogAnswer::Replaces) {
            if (AskYes(chosen + " already exists. Replace it?")) break;
            continue;
        }
        if (verdict == DialogAnswer::Wildcard) {
            ListMatches(chosen);
        } else {
            Write("\n  " + chosen + ": " + DialogRefusalText(verdict) + "\n");
        }
    }
    Write("\n");
    return true;
}

// ---- The front end ----

bool TerminalClaim(const ToolParameters& tool) {
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

bool TerminalOpen(const ToolParameters& tool) {
    terminalTool = &tool;
    EnterRawMode();
    Write(tool.programName + std::string(": keys act when released; Q or Ctrl-C quits\n"));
    return true;
}

void TerminalSetTitle(const char* title) {
    // The terminal's own title too, where it keeps one.
    Write(std::string("\033]0;") + title + "\007");
    Write(std::string("[ ") + title + " ]\n");
}

void TerminalShowInfo(const char* text) {
    Write(std::string("\nInfo\n") + text + "\n");
    if (rawMode) WaitForKey();
}

void TerminalReportFatal(const char* text) {
    if (!rawMode) {
        WriteFatalLine(text);
        return;
    }
    Write(std::string("\n\033[1mFatal Error\033[0m\n") + text + "\n");
    WaitForKey();
    RestoreTerminal();
}

void TerminalOutputWritten(const char* path) {
    Write(std::string("Wrote ") + path + "\n");
}

int TerminalRun(const ToolParameters& tool) {
    while (!QuitRequested()) {
        int byte = ReadByte();
        if (byte < 0 || byte == kCtrlC) break;
        int key = byte == kEscape ? ReadAfterEscape() : KeyOfByte(byte);
        if (key == -'Q') break;  // Alt+Q
        if (key > 0 && key != kEscape) DispatchKeyRelease(tool, key);
    }
    return QuitExitCode();
}

void TerminalClose() {
    if (rawMode) Write("\n");
    RestoreTerminal();
}

const FrontEnd kTerminalFrontEnd = {
    .name = "terminal",
    .claimSingleInstance = TerminalClaim,
    .open = TerminalOpen,
    .setTitle = TerminalSetTitle,
    .chooseFile = TerminalChooseFile,
    .showInfo = TerminalShowInfo,
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
