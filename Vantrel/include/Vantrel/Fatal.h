// The one failure path of the whole system.
//
// The library never passes failures upward: a condition that stops the work is
// reported once through ReportFatal, which the *linking program* supplies. The
// tools' shell shows "Fatal Error" with the text and ends the process with exit
// code 1; the test programs supply one that throws FatalError so that a test
// can observe the text. Either way ReportFatal never returns to its caller.
#ifndef VANTREL_FATAL_H
#define VANTREL_FATAL_H

[[noreturn]] void ReportFatal(const char* text);

#endif
