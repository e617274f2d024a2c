// Output files (.sh, .shp, indir.txt, outdir.txt) are written to a temporary
// file in the target's folder and renamed over the target only when complete:
// after a fatal error or a cancel the previous file is untouched and nothing
// partial is left behind. A replaced file keeps its permission bits.
#ifndef UTILS_COMMON_SHELL_CORE_OUTPUT_FILES_H
#define UTILS_COMMON_SHELL_CORE_OUTPUT_FILES_H

#include <cstdio>
#include <string>
#include <vector>

// Creates the temporary file for path and returns its stream (binary), or
// null when it cannot be created (the tool then reports its fatal text).
std::FILE* BeginOutputFile(const char* path);
// Flushes and closes the stream and renames the temporary over the target.
// Returns false (and removes the temporary) when any of that failed. The
// active front end hears of the completed file (its "written" notice).
bool FinishOutputFile(std::FILE* stream);
// Closes the stream and removes its temporary; the target stays as it was.
void AbandonOutputFile(std::FILE* stream);
// ReportFatal abandons every output file still open before the process ends.

// An output file completed during a job, and what it depends on: the job's
// Dependencies() (ToolJob.h) at that moment; none outside a job.
struct CompletedOutput {
    std::string target;
    std::vector<std::string> dependencies;
};
// The announced outputs completed since start-up (the dependency file's rules).
const std::vector<CompletedOutput>& CompletedOutputs();

// ---- For the shell itself ----

// BeginOutputFile without the front end's "written" notice (indir.txt, outdir.txt).
std::FILE* BeginQuietOutputFile(const char* path);
// Closes and removes every temporary output file still open (fatal path, end of run).
void AbandonAllOutputFiles();
// Forgets the completed outputs (the shell's reset).
void ForgetCompletedOutputs();

#endif
