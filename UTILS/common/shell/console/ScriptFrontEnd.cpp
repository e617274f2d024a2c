// The script front end: key releases and dialog answers come line by line
// from a file or standard input; titles, dialogs and results are echoed on
// standard output. The protocol is described in ToolShell.h.
#include "shell/console/ScriptFrontEnd.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "shell/console/UsageError.h"
#include "fatal/FatalLine.h"
#include "shell/core/DialogAnswer.h"
#include "shell/core/EscapedText.h"
#include "shell/core/KeyDispatch.h"
#include "shell/core/Warnings.h"

namespace {

ScriptRun& RunOf(void* context) {
    return *static_cast<ScriptRun*>(context);
}

void Echo(const char* word, const char* text) {
    if (text[0] == '\0') {
        std::printf("%s\n", word);
    } else {
        std::printf("%s %s\n", word, EscapeText(text).c_str());
    }
    std::fflush(stdout);
}

[[noreturn]] void ScriptError(const ScriptRun& run, const std::string& text) {
    EndWithUsageError(*run.tool, "script line " + std::to_string(run.lineNumber) + ": " + text);
}

// The next command: false at the end of the script. Blank lines and
// comments are skipped; verb is the first word, argument the rest after one space.
bool NextCommand(ScriptRun& run, std::string& verb, std::string& argument) {
    std::string line;
    for (;;) {
        line.clear();
        int c;
        while ((c = std::getc(run.script)) != EOF && c != '\n') line += static_cast<char>(c);
        if (c == EOF && line.empty()) return false;
        ++run.lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        std::size_t space = line.find(' ', first);
        verb = line.substr(first, space == std::string::npos ? std::string::npos : space - first);
        argument = space == std::string::npos ? std::string() : line.substr(space + 1);
        return true;
    }
}

// "I", "i", "7", or a decimal code such as "13"; -1 when it is none of these.
int ParseKey(const std::string& text) {
    if (text.size() == 1 && std::isalnum(static_cast<unsigned char>(text[0]))) {
        return std::toupper(static_cast<unsigned char>(text[0]));
    }
    if (text.empty() || text.size() > 3) return -1;
    int code = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
        code = code * 10 + (c - '0');
    }
    return code >= 1 && code <= 254 ? code : -1;
}

bool ScriptChooseFile(void* context, const char* proposed, const FileFilter& filter, char mode,
                      std::string& chosen) {
    ScriptRun& run = RunOf(context);
    Echo("dialog", mode == 'w' ? "File To Write" : "File To Read");
    Echo("proposed", proposed);
    Echo("filter", (std::string(filter.description) + "|" + filter.pattern).c_str());
    std::string verb, argument;
    for (;;) {
        if (!NextCommand(run, verb, argument) || verb == "cancel") {
            Echo("cancelled", "");
            return false;
        }
        if (verb != "file")
            ScriptError(run, "a dialog is open: expected \"file PATH\" or \"cancel\"");
        std::string answer;
        if (!UnescapeText(argument, answer)) ScriptError(run, "malformed escape in the path");
        chosen = AbsolutePath(answer.c_str());
        DialogAnswer verdict = CheckDialogAnswer(chosen.c_str(), mode);
        if (verdict == DialogAnswer::Accepted || verdict == DialogAnswer::Replaces) {
            Echo("chosen", chosen.c_str());
            return true;
        }
        Echo("refused", (chosen + ": " + DialogRefusalText(verdict)).c_str());
    }
}

void ScriptSetTitle(void*, const char* title) {
    Echo("title", title);
}
void ScriptShowInfo(void*, const char* text) {
    Echo("info", text);
}
void ScriptOutputWritten(void*, const char* path) {
    Echo("written", path);
}

void ScriptReportFatal(void*, const char* text) {
    Echo("fatal", text);
    WriteFatalLine(text);
}

int RunScript(void* context, const ToolParameters& tool) {
    ScriptRun& run = RunOf(context);
    std::string verb, argument;
    while (!QuitRequested() && NextCommand(run, verb, argument)) {
        if (verb == "key") {
            int key = ParseKey(argument);
            if (key < 0) ScriptError(run, "unknown key \"" + argument + "\"");
            DispatchKeyRelease(tool, key);
        } else if (verb == "quit") {
            break;
        } else if (verb == "file" || verb == "cancel") {
            ScriptError(run, "no dialog is open");
        } else {
            ScriptError(run, "unknown command \"" + verb + "\"");
        }
    }
    return QuitExitCode();
}

void ScriptClose(void* context) {
    ScriptRun& run = RunOf(context);
    if (run.script != nullptr && run.script != stdin) std::fclose(run.script);
    run.script = nullptr;
}

}  // namespace

bool OpenScript(ScriptRun& run, const ToolParameters& tool, const char* path) {
    run.tool = &tool;
    run.lineNumber = 0;
    run.script = std::strcmp(path, "-") == 0 ? stdin : std::fopen(path, "r");
    return run.script != nullptr;
}

FrontEnd ScriptFrontEnd(ScriptRun& run) {
    return FrontEnd{
        .name = "script",
        .context = &run,
        .claimSingleInstance = nullptr,
        .open = nullptr,
        .setTitle = ScriptSetTitle,
        .chooseFile = ScriptChooseFile,
        .showInfo = ScriptShowInfo,
        .showWarning = WriteWarningLine,
        .reportFatal = ScriptReportFatal,
        .outputWritten = ScriptOutputWritten,
        .run = RunScript,
        .close = ScriptClose,
        .minimize = nullptr,
        .nativeWindow = nullptr,
    };
}
