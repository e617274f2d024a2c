#include "shell/core/ToolJob.h"

#include <algorithm>
#include <utility>

#include "shell/core/SameFile.h"
#include "shell/platform/FileSystem.h"

namespace {

ToolJob* currentJob = nullptr;

void AddOnce(std::vector<std::string>& list, const std::string& item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}

}  // namespace

ToolJob::ToolJob() : outer_(currentJob) {
    currentJob = this;
}

ToolJob::~ToolJob() {
    currentJob = outer_;
}

void ToolJob::WillRead(const std::string& path) {
    AddOnce(inputs_, path);
}

void ToolJob::Reads(const std::string& path) {
    AddOnce(inputs_, path);
    AddOnce(read_, path);
}

void ToolJob::LookedFor(const std::string& path) {
    AddOnce(inputs_, path);
    size_t separator = path.size();
    while (separator > 0 && !IsPathSeparator(path[separator - 1])) --separator;
    // The folder without its separator; "/" for a file at the root, "."
    // for a name without a folder.
    std::string folder = separator == 0 ? "." : path.substr(0, separator - 1);
    if (folder.empty()) folder = path.substr(0, 1);
    AddOnce(missingFolders_, folder);
}

const std::string* ToolJob::InputNamedBy(const std::string& output) const {
    return ::InputNamedBy(output, inputs_);
}

std::vector<std::string> ToolJob::Dependencies() const {
    std::vector<std::string> dependencies = read_;
    for (const std::string& folder : missingFolders_) AddOnce(dependencies, folder);
    return dependencies;
}

std::string ToolJob::ExplainFatalText(const std::string& text) const {
    return explainer_ ? explainer_(text) : text;
}

ToolJob::ExplainedReading::ExplainedReading(ToolJob& job, FatalExplainer explainer)
    : job_(job), outer_(std::exchange(job.explainer_, std::move(explainer))) {}

ToolJob::ExplainedReading::~ExplainedReading() {
    job_.explainer_ = std::move(outer_);
}

const ToolJob* CurrentToolJob() {
    return currentJob;
}

const std::string* JobInputNamedBy(const std::string& output) {
    return currentJob == nullptr ? nullptr : currentJob->InputNamedBy(output);
}
