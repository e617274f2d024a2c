// Output files written beside their target and renamed over it when complete.
#include <cstdio>
#include <string>
#include <vector>

#include "shell/core/OutputFiles.h"
#include "shell/core/FrontEnd.h"
#include "shell/core/ToolJob.h"
#include "shell/platform/Platform.h"

namespace {

struct OpenOutput {
    std::FILE* stream;
    std::string temporaryPath;
    std::string target;
    bool announce;
};

std::vector<OpenOutput>& OpenOutputs() {
    static std::vector<OpenOutput> outputs;
    return outputs;
}

std::vector<CompletedOutput>& CompletedList() {
    static std::vector<CompletedOutput> completed;
    return completed;
}

std::FILE* Begin(const char* path, bool announce) {
    std::string temporaryPath;
    std::FILE* stream = CreateTemporaryBeside(path, temporaryPath);
    if (stream == nullptr) return nullptr;
    OpenOutputs().push_back({stream, temporaryPath, path, announce});
    return stream;
}

// Takes the record of stream out of the table; false when it is not there.
bool TakeOutput(std::FILE* stream, OpenOutput& output) {
    auto& outputs = OpenOutputs();
    for (auto it = outputs.begin(); it != outputs.end(); ++it) {
        if (it->stream == stream) {
            output = *it;
            outputs.erase(it);
            return true;
        }
    }
    return false;
}

}  // namespace

std::FILE* BeginOutputFile(const char* path) {
    return Begin(path, true);
}
std::FILE* BeginQuietOutputFile(const char* path) {
    return Begin(path, false);
}

bool FinishOutputFile(std::FILE* stream) {
    OpenOutput output;
    if (stream == nullptr || !TakeOutput(stream, output)) return false;
    bool written = std::fflush(stream) == 0 && std::ferror(stream) == 0;
    written = std::fclose(stream) == 0 && written;
    if (written) written = MoveOver(output.temporaryPath.c_str(), output.target.c_str());
    if (!written) {
        RemoveTemporary(output.temporaryPath.c_str());
        return false;
    }
    if (!output.announce) return true;
    // What the job read is what the output depends on.
    const ToolJob* job = CurrentToolJob();
    CompletedList().push_back(
        {output.target, job != nullptr ? job->Dependencies() : std::vector<std::string>{}});
    const FrontEnd& frontEnd = ActiveFrontEnd();
    if (frontEnd.outputWritten != nullptr) {
        frontEnd.outputWritten(frontEnd.context, output.target.c_str());
    }
    return true;
}

void AbandonOutputFile(std::FILE* stream) {
    OpenOutput output;
    if (stream == nullptr || !TakeOutput(stream, output)) return;
    std::fclose(stream);
    RemoveTemporary(output.temporaryPath.c_str());
}

const std::vector<CompletedOutput>& CompletedOutputs() {
    return CompletedList();
}

void ForgetCompletedOutputs() {
    CompletedList().clear();
}

void AbandonAllOutputFiles() {
    while (!OpenOutputs().empty()) AbandonOutputFile(OpenOutputs().back().stream);
}
