// Where a program looks for the desktop module (DesktopModule.h), written by
// the build into a source of its own.
#ifndef UTILS_COMMON_SHELL_DESKTOP_DESKTOP_MODULE_PATHS_H
#define UTILS_COMMON_SHELL_DESKTOP_DESKTOP_MODULE_PATHS_H

// The installed module, relative to the program's own folder.
extern const char kDesktopModuleFromProgram[];
// The module where this build made it.
extern const char kDesktopModuleInBuild[];

#endif
