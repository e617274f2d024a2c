/// @file
/// Small text helpers: skipping and trimming white space, cutting a token at a
/// delimiter, splitting a text into lines.
///
/// White space here is space, tab and line feed only.
///
/// Limits: a line kept by SplitLines holds at most 255 characters (longer lines
/// are cut there) and at most 8 lines are kept; a token is cut to the output
/// buffer's size. Nothing here reads past a text's terminating zero or writes
/// past a given buffer size.
#ifndef VANTREL_TEXT_UTIL_H
#define VANTREL_TEXT_UTIL_H

#include <cstddef>

/// The most lines SplitLines keeps.
constexpr int kSplitLinesMax = 8;
/// The most characters of a line SplitLines keeps.
constexpr size_t kSplitLineLength = 255;

///@{
/// The first character of text that is not white space.
const char* SkipSpaces(const char* text);
char* SkipSpaces(char* text);
///@}

/// Removes trailing white space in place; returns how many characters went.
int TrimRight(char* buffer);

/// Skips leading white space, copies the characters up to the first one in
/// delimiters (or the end) into token (at most tokenSize - 1 of them, then the
/// terminating zero), trims the copy's right end, and returns the position of
/// that delimiter, or of the terminating zero, in text.
const char* GetToken(const char* text, char* token, size_t tokenSize, const char* delimiters);

/// Splits text into lines and returns how many it kept (0..8); *lines receives
/// an array of that many copies. The array and the copies come from the
/// ordinary heap; FreeLines(array, count) gives both back. Empty lines are skipped.
/// - escaped clear: a line ends at a line feed found among its next 255
///   characters; without one it runs to the end of the text.
/// - escaped set: a line ends at its first backslash when an n follows it (the
///   two characters backslash, n); otherwise it runs to the end of the text.
int SplitLines(const char* text, char*** lines, bool escaped);
/// Frees the count copies and the array SplitLines gave.
void FreeLines(char** lines, int count);

#endif
