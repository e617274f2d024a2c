// The run's dependency file (--depfile FILE), for build systems: one
// Makefile-style rule for every output a job of the run completed
// (OutputFiles.h, CompletedOutputs),
//     <output>: <file the job read> ...
// in the form compilers write with -M, so that a build that reads it runs the
// tool again when one of those files changes (ToolJob.h says which files a
// job names). A space, '#' and '$' in a path are escaped as Make and Ninja
// read them ("\ ", "\#", "$$").
//
// The file is written at the end of a run that did not fail, through the
// output files (beside its target, then renamed), and only when a job
// completed an output; a run that fails or writes nothing leaves it as it was.
#ifndef UTILS_COMMON_SHELL_CORE_DEPENDENCY_FILE_H
#define UTILS_COMMON_SHELL_CORE_DEPENDENCY_FILE_H

#include <string>
#include <vector>

#include "shell/core/OutputFiles.h"

// Writes the rules of outputs to path (nothing when there is none). Ends the
// program through ReportFatal when the file cannot be written, or when a path
// holds a line break, which the file cannot hold.
void WriteDependencyFile(const std::string& path, const std::vector<CompletedOutput>& outputs);

// One rule as the file holds it, ended by a line feed, every path made
// absolute (a list names its images relative to the folder the program runs
// in); false through representable when a path holds a line break.
std::string DependencyRuleText(const std::string& output, const std::vector<std::string>& inputs,
                               bool& representable);

#endif
