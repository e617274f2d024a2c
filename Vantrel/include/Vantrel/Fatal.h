/// @file
/// The one failure path of the classic face.
///
/// The classic face never passes failures upward: a condition that stops the
/// work is reported once through ReportFatal, which the *linking program*
/// supplies. The tools' shell shows "Fatal Error" with the text and ends the
/// process with exit code 1; the test programs supply one that throws so that
/// a test can observe the text. Either way ReportFatal must not return to its
/// caller; it may end the process or throw an exception (the loaders have
/// released everything they built before they report, so nothing is lost
/// either way).
///
/// Every library call that reports (the loaders and writers, BindRLSprite,
/// AnchorRLSprite, EncodeRLSprite) does so through ReportFatalOrAbort, which
/// keeps that promise for a program whose ReportFatal returns anyway (one
/// written in C, or defined without the attribute): it then writes one line on
/// standard error, "Vantrel: ReportFatal returned instead of ending the
/// program: <text>", and ends the process with abort(), before anything could
/// go on with a failed result.
///
/// The safe face (<Vantrel/Vantrel.h>, namespace vantrel) never calls it: its
/// loaders return null and a LoadError instead.
#ifndef VANTREL_FATAL_H
#define VANTREL_FATAL_H

/// Supplied by the program: reports text (a zero-terminated message such as
/// "LoadRlsRay: Unable to open file") and never returns.
[[noreturn]] void ReportFatal(const char* text);

/// Hands text to the program's ReportFatal; should that return, writes the
/// line above and calls abort().
[[noreturn]] void ReportFatalOrAbort(const char* text);

#endif
