// The internal interface between the shell's portable core and its front
// ends (batch, script, terminal, desktop window, Win32 window, tests).
//
// A front end is a table of functions; the core holds the active one and
// routes the public services of ToolShell.h to it. Each front end is one
// source file that hands out its table. Entries marked optional may be null.
// A front end calls the core (key dispatch, dialog checks, the services of
// ToolShell.h) and the platform; the core reaches a front end only through
// its table.
//
// The core does, for every front end: the program folder and remembered
// folders, path checks, output files, the fatal sequence (abandon outputs,
// reportFatal, close, exit code 1) and the key dispatch (Q quits, every
// other key goes to the tool). The start-up (shell/start/) reads the command
// line and picks the front end.
#ifndef UTILS_COMMON_SHELL_CORE_FRONT_END_H
#define UTILS_COMMON_SHELL_CORE_FRONT_END_H

#include <string>

#include "shell/core/ToolParameters.h"

// The first pair of a dialog filter (the one the dialogs select).
struct FileFilter {
    const char* description;
    const char* pattern;
    // A second pair offered beside the first by the window dialogs (the
    // tools' open dialogs for images offer PNG there); null when none.
    const char* secondDescription = nullptr;
    const char* secondPattern = nullptr;
};

// Every entry gets the table's context first: the front end's own state for
// the run (the batch front end's answers and written paths, the script's
// stream), so that none is kept in file-scope variables; null for the front
// ends that own a process-wide thing anyway (a terminal, a window).
struct FrontEnd {
    const char* name;  // "batch", "script", "terminal", ...
    void* context;
    // Optional. One copy per tool class: false when another copy runs; the
    // front end has then told the user which one (the program ends with 0).
    bool (*claimSingleInstance)(void* context, const ToolParameters& tool);
    // Optional. Creates the window (or takes the terminal). False ends the
    // program with exit code 0, as a failed class registration does.
    bool (*open)(void* context, const ToolParameters& tool);
    // Shows a new title (the core keeps the text: ToolTitle()).
    void (*setTitle)(void* context, const char* title);
    // The dialog: starts from proposed; on true, chosen holds the answer,
    // made absolute with AbsolutePath and accepted by CheckDialogAnswer (a
    // file to write that exists confirmed by the user). The core refuses a
    // chosen path longer than 255 characters.
    bool (*chooseFile)(void* context, const char* proposed, const FileFilter& filter, char mode,
                       std::string& chosen);
    void (*showInfo)(void* context, const char* text);
    // Optional: whether and how the front end shows what a run drops or skips
    // (Warnings.h). The console front ends (batch, script, terminal) write
    // the line on standard error (WriteWarningLine); the windows have none
    // and stay silent.
    void (*showWarning)(void* context, const char* line);
    // Shows "Fatal Error" and text and returns (the core then ends the
    // process with 1), or throws (the test backend).
    void (*reportFatal)(void* context, const char* text);
    // Optional. An output file of the tool was completed.
    void (*outputWritten)(void* context, const char* path);
    // The loop: hands key releases to DispatchKeyRelease until QuitRequested()
    // or the input ends; returns the exit code.
    int (*run)(void* context, const ToolParameters& tool);
    // Optional; at the end and after a fatal report; may come twice.
    void (*close)(void* context);
    void (*minimize)(void* context);  // optional
    // Optional. The native window that owns requests to the desktop (ShellOpen).
    void* (*nativeWindow)(void* context);
};

// The front end the core routes to. Until one is set (and after
// SetActiveFrontEnd(nullptr)) a bare one: fatal texts go to standard error,
// dialogs are refused, titles and warnings are dropped.
void SetActiveFrontEnd(const FrontEnd* frontEnd);
const FrontEnd& ActiveFrontEnd();

#endif
