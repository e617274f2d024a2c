// A POSIX build without a desktop window front end.
#include "../posix/PosixShell.h"

const FrontEnd* DesktopFrontEnd() {
    return nullptr;
}
