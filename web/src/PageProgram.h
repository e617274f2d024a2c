// What the library asks of the program it is linked into, supplied by the
// page's module: the screen size and ReportFatal.
//
// The screen is the preview's square surface, so that a sheet is laid out and
// drawn on the page exactly as rlspreview draws it. The module loads through
// the safe face, which reports nothing; should anything still reach
// ReportFatal, it cannot end a page: it keeps the text and traps, which ends
// the call the page made into the module with a JavaScript exception. The
// page then reads the text and starts a fresh instance of the module, as the
// one that trapped may hold half-built objects.
#ifndef WEB_PAGE_PROGRAM_H
#define WEB_PAGE_PROGRAM_H

// The text of the last fatal report; empty when there was none.
const char* LastFatalText();

#endif
