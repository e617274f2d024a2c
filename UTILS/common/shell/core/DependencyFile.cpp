#include "shell/core/DependencyFile.h"

#include <cstdio>

#include <Vantrel/Fatal.h>

#include "shell/core/DialogAnswer.h"

namespace {

// The path as Make reads it back: a blank or '#' after a backslash, and the
// backslashes right before it doubled; '$' doubled.
std::string Escaped(const std::string& path, bool& representable) {
    std::string out;
    size_t backslashes = 0;
    for (const char c : path) {
        if (c == '\n' || c == '\r') representable = false;
        if (c == ' ' || c == '\t' || c == '#') {
            out.append(backslashes, '\\');
            out += '\\';
        } else if (c == '$') {
            out += '$';
        }
        backslashes = c == '\\' ? backslashes + 1 : 0;
        out += c;
    }
    out.append(backslashes, '\\');
    return out;
}

}  // namespace

std::string DependencyRuleText(const std::string& output, const std::vector<std::string>& inputs,
                               bool& representable) {
    representable = true;
    std::string text = Escaped(AbsolutePath(output.c_str()), representable) + ":";
    for (const std::string& input : inputs) {
        text += " \\\n  " + Escaped(AbsolutePath(input.c_str()), representable);
    }
    return text + "\n";
}

void WriteDependencyFile(const std::string& path, const std::vector<CompletedOutput>& outputs) {
    if (path.empty() || outputs.empty()) return;
    std::string rules;
    for (const CompletedOutput& output : outputs) {
        bool representable = true;
        rules += DependencyRuleText(output.target, output.dependencies, representable);
        if (!representable) {
            ReportFatal(("Unable to write the dependency file " + path + ": a path the run read " +
                         "holds a line break, which a dependency file cannot hold")
                            .c_str());
        }
    }
    std::FILE* file = BeginQuietOutputFile(path.c_str());
    if (file == nullptr) ReportFatal(("Unable to create file " + path).c_str());
    if (std::fwrite(rules.data(), 1, rules.size(), file) != rules.size() ||
        !FinishOutputFile(file)) {
        ReportFatal(("Unable to write to file " + path).c_str());
    }
}
