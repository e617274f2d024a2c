// The script front end: key releases and dialog answers come line by line
// from a file or standard input; titles, dialogs and results are echoed on
// standard output. The protocol is described in ToolShell.h.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "shell/console/ScriptFrontEnd.h"
#include "shell/console/UsageError.h"
#include "fatal/FatalLine.h"
#include "shell/core/DialogAnswer.h"
#include "shell/core/EscapedText.h"
#include "shell/core/KeyDispatch.h"

namespace {

const ToolParameters* scriptTool = nullptr;
std::FILE* script = nullptr;
int lineNumber = 0;

void Echo(const char* word, const char* text) {
    if (text[0] == '\0') {
        std::printf("%s\n", word);
    } else {
        std::printf("%s %s\n", word, EscapeText(text).c_str());
    }
    std::fflush(stdout);
}

[[noreturn]] void ScriptError(const std::string& text) {
    EndWithUsageError(*scriptTool, "script line " + std::to_string(lineNumber) + ": " + text);
}

// The next command: false at the end of the script. Blank lines and
// comments are skipped; verb is the first word, argument the rest after one space.
bool NextCommand(std::string& verb, std::string& argument) {
    std::string line;
    for (;;) {
        line.clear();
        int c;
        while ((c = std::getc(script)) != EOF && c != '\n') line += static_cast<char>(c);
        if (c == EOF && line.empty()) return false;
        ++lineNumber;
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

bool ScriptChooseFile(const char* proposed, const FileFilter& filter, char mode,
                      std::string& chosen) {
    Echo("dialog", mode == 'w' ? "File To Write" : "File To Read");
    Echo("proposed", proposed);
    Echo("filter", (std::string(filter.description) + "|" + filter.pattern).c_str());
    std::string verb, argument;
    for (;;) {
        if (!NextCommand(verb, argument) || verb == "cancel") {
            Echo("cancelled", "");
            return false;
        }
        if (verb != "file") ScriptError("a dialog is open: expected \"file PATH\" or \"cancel\"");
        std::string answer;
        if (!UnescapeText(argument, answer)) ScriptError("malformed escape in the path");
        chosen = AbsolutePath(answer.c_str());
        DialogAnswer verdict = CheckDialogAnswer(chosen.c_str(), mode);
        if (verdict == DialogAnswer::Accepted || verdict == DialogAnswer::Replaces) {
            Echo("chosen", chosen.c_str());
            return true;
        }
        Echo("refused", (chosen + ": " + DialogRefusalText(verdict)).c_str());
    }
}

void ScriptSetTitle(const char* title) {
    Echo("title", title);
}
void ScriptShowInfo(const char* text) {
    Echo("info", text);
}
void ScriptOutputWritten(const char* path) {
    Echo("written", path);
}

void ScriptReportFatal(const char* text) {
    Echo("fatal", text);
    WriteFatalLine(text);
}

int ScriptRun(const ToolParameters& tool) {
    std::string verb, argument;
    while (!QuitRequested() && NextCommand(verb, argument)) {
        if (verb == "key") {
            int key = ParseKey(argument);
            if (key < 0) ScriptError("unknown key \"" + argument + "\"");
            DispatchKeyRelease(tool, key);
        } else if (verb == "quit") {
            break;
        } else if (verb == "file" || verb == "cancel") {
            ScriptError("no dialog is open");
        } else {
            ScriptError("unknown command \"" + verb + "\"");
        }
    }
    return QuitExitCode();
}

void ScriptClose() {
    if (script != nullptr && script != stdin) std::fclose(script);
    script = nullptr;
}

const FrontEnd kScriptFrontEnd = {
    .name = "script",
    .claimSingleInstance = nullptr,
    .open = nullptr,
    .setTitle = ScriptSetTitle,
    .chooseFile = ScriptChooseFile,
    .showInfo = ScriptShowInfo,
    .reportFatal = ScriptReportFatal,
    .outputWritten = ScriptOutputWritten,
    .run = ScriptRun,
    .close = ScriptClose,
    .minimize = nullptr,
    .nativeWindow = nullptr,
};

}  // namespace

const FrontEnd* ScriptFrontEnd(const ToolParameters& tool, const char* path) {
    scriptTool = &tool;
    lineNumber = 0;
    script = std::strcmp(path, "-") == 0 ? stdin : std::fopen(path, "r");
    return script != nullptr ? &kScriptFrontEnd : nullptr;
}
