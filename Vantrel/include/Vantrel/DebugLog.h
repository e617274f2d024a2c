/// @file
/// The debug log: messages appended to "debug.txt" in a chosen folder.
///
/// The log stays silent until OpenDebugLog has opened it and DebugLogEnabled
/// is switched on; the programs never switch it on. With DebugLogFlush set
/// (the default) the file is reopened in append mode after every message, so
/// each message is on disk before the next one.
///
/// Limits: the log path holds at most 511 characters (a longer folder is
/// refused, not cut); a message holds at most 1023 characters, longer ones are
/// cut there. Nothing is added to a message, not even a line feed.
///
/// Failures are never reported: a log that cannot be opened gives null, and a
/// failed write closes the log and switches it off for the rest of the run.
#ifndef VANTREL_DEBUG_LOG_H
#define VANTREL_DEBUG_LOG_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

extern int16_t DebugLogEnabled;  ///< non-zero: messages are written; 0 at start
extern int16_t DebugLogFlush;    ///< non-zero: each message is on disk at once; 1 at start

/// Opens folder + "debug.txt" for writing, emptying an old log; folder ends
/// with its separator. A log that is already open is closed first. Returns the
/// stream, or null when the path is too long or the file cannot be opened.
std::FILE* OpenDebugLog(const char* folder);
/// Closes the log and forgets it; calling it again does nothing.
void CloseDebugLog();
/// Appends one formatted message when the log is open and enabled.
[[gnu::format(printf, 1, 2)]] void DebugPrintf(const char* format, ...);
/// Formats into buffer, which holds size bytes: at most size - 1 characters
/// and the terminating zero. Returns the number of characters stored.
[[gnu::format(printf, 3, 4)]] int FormatString(char* buffer, size_t size, const char* format, ...);

///@{
/// The log's path and open stream, or null while there is none (tests).
const char* DebugLogPath();
std::FILE* DebugLogStream();
///@}

/// Closes the log and restores DebugLogEnabled and DebugLogFlush (tests).
void ResetDebugLog();

#endif
