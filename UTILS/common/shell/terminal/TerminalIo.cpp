#include "shell/terminal/TerminalIo.h"

#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "shell/posix/PosixPlatform.h"

namespace {

termios savedMode{};
bool rawMode = false;

void RestoreOnSignal(int signalNumber) {
    if (rawMode) tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedMode);
    RemoveTemporariesOnSignal();
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

}  // namespace

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

void RestoreTerminal() {
    if (!rawMode) return;
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedMode);
    rawMode = false;
}

bool InRawMode() {
    return rawMode;
}

void TerminalWrite(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

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

int TerminalWidth() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 8) return size.ws_col;
    return 80;
}
