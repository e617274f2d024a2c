// Whether an output path names one of a run's own inputs.
//
// A tool must never write over what it reads (a frame, an alpha image, the
// list, a listed image or .sh). Two paths name the same file when both exist
// and are one file (same device and inode, or the same file index on
// Windows), whatever links or spellings lead there; when either does not
// exist, when their absolute, normalised forms are equal ("art/./x.sh" and
// "art/x.sh", a symbolic link in the folders resolved).
#ifndef UTILS_COMMON_SHELL_CORE_SAME_FILE_H
#define UTILS_COMMON_SHELL_CORE_SAME_FILE_H

#include <string>
#include <vector>

bool NamesSameFile(const std::string& first, const std::string& second);

// The first input that output names, or null.
const std::string* InputNamedBy(const std::string& output, const std::vector<std::string>& inputs);

#endif
