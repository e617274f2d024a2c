// The file dialogs, as the tools' logic asks for them.
#ifndef UTILS_COMMON_SHELL_CORE_FILE_CHOICE_H
#define UTILS_COMMON_SHELL_CORE_FILE_CHOICE_H

// Lets the user choose a file. path holds the proposed path on entry (a folder
// with a wildcard pattern, or a folder with a proposed name) and the chosen
// full path on return with true. filter is a list of pairs of zero-terminated
// strings (description, pattern) ended by an empty string. mode 'w' asks for a
// file to write ("File To Write", the folder must exist, asks before replacing
// an existing file, refuses a file the job under way reads: ToolJob.h); any
// other mode for a file to read ("File To Read", the file must exist).
// Returns false when the user cancelled. A chosen path longer than 255
// characters ends the program through ReportFatal.
bool ChooseFile(char* path, const char* filter, char mode);

#endif
