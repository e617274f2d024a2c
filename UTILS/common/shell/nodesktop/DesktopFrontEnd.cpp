// A POSIX build without a desktop window front end.
#include "shell/desktop/DesktopFrontEnd.h"

const FrontEnd* DesktopFrontEnd() {
    return nullptr;
}
