// What the system dialogs check before they accept an answer, for the front
// ends that stand in for them (batch, script, terminal, the tests).
#ifndef UTILS_COMMON_SHELL_CORE_DIALOG_ANSWER_H
#define UTILS_COMMON_SHELL_CORE_DIALOG_ANSWER_H

#include <string>

enum class DialogAnswer {
    Accepted,    // use it
    Replaces,    // a file to write that exists: confirm before use
    Missing,     // a file to read that does not exist (or is a folder)
    NoFolder,    // a file to write whose folder does not exist
    IsFolder,    // a file to write that names a folder
    ReadOnly,    // a file to write that exists and cannot be written
    Wildcard,    // the answer still holds * or ?
    NamesInput,  // a file to write that the job under way reads (ToolJob.h)
};
// Checks an (absolute) answer as the system dialogs do.
DialogAnswer CheckDialogAnswer(const char* path, char mode);
// The user-facing reason for a refusal ("no such file", ...).
const char* DialogRefusalText(DialogAnswer answer);
// The answer made absolute (relative to the current folder) and normal (no
// "." or ".." parts, no doubled separators).
std::string AbsolutePath(const char* answer);

#endif
