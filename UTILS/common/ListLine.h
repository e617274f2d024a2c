// ReadListLine: the line reader of the list files of Plimsor and Dessamor.
//
// A list is plain text. Each call gives the next line that is not skipped,
// at most 255 characters (the rest of a longer line comes as the next line),
// without its line feed. Skipped: empty lines, lines whose first byte is
// zero, and lines that begin with "//" (only at the very start of the line).
// A carriage return right before a line feed is dropped, as text mode does on
// the systems where the lists are usually written, so a list gives the same
// lines on every platform.
#ifndef UTILS_COMMON_LIST_LINE_H
#define UTILS_COMMON_LIST_LINE_H

#include <cstdio>

// line: a 256-byte buffer. Returns false at the end of the stream.
bool ReadListLine(std::FILE* stream, char* line);

#endif
