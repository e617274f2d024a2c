// The fatal texts of the conversions that name one file.
#ifndef UTILS_COMMON_CONVERSION_CONVERSION_FATAL_H
#define UTILS_COMMON_CONVERSION_CONVERSION_FATAL_H

// ReportFatal with format (one %s) filled with path; the text is never cut.
[[noreturn]] void FatalWithPath(const char* format, const char* path);

#endif
