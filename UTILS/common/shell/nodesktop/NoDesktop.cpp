// A POSIX build without a desktop window front end.
#include "shell/posix/PosixShell.h"

const FrontEnd* DesktopFrontEnd() {
    return nullptr;
}
