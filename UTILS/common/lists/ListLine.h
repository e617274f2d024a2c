// ReadListLine: the line reader of the list files of Plimsor and Dessamor.
//
// A list is plain text. Each call gives the next line that is not skipped,
// at most 255 characters (the rest of a longer line comes as the next line),
// without its line feed. Skipped: empty lines, lines whose first byte is
// zero, and lines that begin with "//" (only at the very start of the line).
// A carriage return right before a line feed is dropped, as text mode does on
// the systems where the lists are usually written, so a list gives the same
// lines on every platform.
#ifndef UTILS_COMMON_LISTS_LIST_LINE_H
#define UTILS_COMMON_LISTS_LIST_LINE_H

#include <cstdio>

// line: a 256-byte buffer. Returns false at the end of the stream.
bool ReadListLine(std::FILE* stream, char* line);

// Where the lines of one list come from, for messages that point into it.
// Start with a fresh value for each stream and pass it to every call.
struct ListLinePlace {
    int lineNumber = 0;  // of the line last given, counting from 1
    bool piece = false;  // that line is the rest of a longer line (see above)
    // The reader's own: the next line's number, and whether the last raw
    // read stopped inside a line.
    int nextLineNumber = 1;
    bool insideLine = false;
};

// ReadListLine, noting in place where the line it gives comes from.
bool ReadListLine(std::FILE* stream, char* line, ListLinePlace& place);

#endif
