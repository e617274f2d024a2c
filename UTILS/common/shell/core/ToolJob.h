// The job a key handler runs (converting a ship, a list, building a family),
// as the shell sees it: the files it reads and what a fatal text from the code
// below it should be told with.
//
//   - No output of the job may name one of its inputs: the save dialogs
//     refuse such an answer (DialogAnswer::NamesInput), however it is spelt
//     (SameFile.h). A job names its inputs as soon as it knows them, also
//     those it reads later (WillRead) and those it only looks for (LookedFor).
//   - Each output the job completes is a rule of the run's dependency file
//     (DependencyFile.h, --depfile): the output and every file the job read
//     (Reads), and the folder of every file it looked for and did not find,
//     so that a file appearing there later runs the job again.
//   - The library's loaders report their failures with fixed texts that name
//     no file ("LoadRlsRay: Not a RlsRay file"). While an ExplainedReading of
//     the job lives, ReportFatal shows a fatal text as its explainer makes it.
//
// A tool makes one ToolJob at the start of its job and hands it on to the
// steps of the job; while it lives it is the shell's current job (key
// handlers run one at a time, so jobs do not nest).
#ifndef UTILS_COMMON_SHELL_CORE_TOOL_JOB_H
#define UTILS_COMMON_SHELL_CORE_TOOL_JOB_H

#include <functional>
#include <string>
#include <vector>

class ToolJob {
public:
    using FatalExplainer = std::function<std::string(const std::string& text)>;

    ToolJob();
    ~ToolJob();
    ToolJob(const ToolJob&) = delete;
    ToolJob& operator=(const ToolJob&) = delete;

    // A file the job is going to read.
    void WillRead(const std::string& path);
    // A file the job has opened and reads.
    void Reads(const std::string& path);
    // A file the job looked for and did not find (an alpha image).
    void LookedFor(const std::string& path);

    // The input that output names (SameFile.h), or null.
    const std::string* InputNamedBy(const std::string& output) const;
    // What the outputs of the job depend on: the files it read, then the
    // folders where it found a file missing, each once, in that order.
    std::vector<std::string> Dependencies() const;

    // The text ReportFatal shows for a fatal text (itself without an
    // explainer).
    std::string ExplainFatalText(const std::string& text) const;

    // While alive, fatal texts of the job are shown as explainer makes them.
    class ExplainedReading {
    public:
        ExplainedReading(ToolJob& job, FatalExplainer explainer);
        ~ExplainedReading();
        ExplainedReading(const ExplainedReading&) = delete;
        ExplainedReading& operator=(const ExplainedReading&) = delete;

    private:
        ToolJob& job_;
        FatalExplainer outer_;
    };

private:
    std::vector<std::string> inputs_;  // everything WillRead, Reads or LookedFor named
    std::vector<std::string> read_;
    std::vector<std::string> missingFolders_;
    FatalExplainer explainer_;
    ToolJob* outer_;
};

// The job under way, or null between jobs.
const ToolJob* CurrentToolJob();
// The input of the job under way that output names; null when it names none
// or no job is under way (the save dialogs' check).
const std::string* JobInputNamedBy(const std::string& output);

#endif
