// Parsing the tools' command line and printing their help.
#include "shell/start/CommandLine.h"

#include <cstdio>
#include <cstring>
#include <string>

#include <Vantrel/Version.h>

namespace {

const ToolFlag* FindFlag(const ToolParameters& tool, const char* name, std::size_t length) {
    for (int i = 0; i < tool.flagCount; ++i) {
        const ToolFlag& flag = tool.flags[i];
        if (std::strlen(flag.name) == length && std::strncmp(flag.name, name, length) == 0) {
            return &flag;
        }
    }
    return nullptr;
}

std::string FlagSynopsis(const ToolFlag& flag) {
    std::string text = flag.name;
    if (flag.valueName != nullptr) text += std::string(" ") + flag.valueName;
    return text;
}

CommandLine Failed(const ToolParameters& tool, const std::string& text) {
    CommandLine result;
    result.mode = CommandLine::Mode::Finished;
    result.exitCode = UsageError(tool, text.c_str());
    return result;
}

}  // namespace

void PrintUsage(const ToolParameters& tool, std::FILE* stream) {
    std::string flags;
    for (int i = 0; i < tool.flagCount; ++i) flags += "[" + FlagSynopsis(tool.flags[i]) + "] ";
    std::fprintf(stream, "Usage: %s %s[-o %s] %s\n", tool.programName, flags.c_str(),
                 tool.outputHelp, tool.inputHelp);
    std::fprintf(stream, "       %s %s--script FILE|-\n", tool.programName, flags.c_str());
    std::fprintf(stream, "       %s            (on a terminal: interactive, keys act on release)\n",
                 tool.programName);
    std::fprintf(stream, "%s\n\n", tool.summary);
    for (int i = 0; i < tool.flagCount; ++i) {
        std::fprintf(stream, "  %-18s %s\n", FlagSynopsis(tool.flags[i]).c_str(),
                     tool.flags[i].help);
    }
    std::string output = std::string("-o ") + tool.outputHelp;
    std::fprintf(stream, "  %-18s write %s (default: the proposed name in the remembered\n",
                 output.c_str(), tool.outputHelp);
    std::fprintf(stream, "  %-18s output folder); an existing file is replaced\n", "");
    std::fprintf(stream, "  %-18s read key releases and dialog answers from FILE (- for standard\n",
                 "--script FILE|-");
    std::fprintf(stream, "  %-18s input) and echo titles and dialogs on standard output\n", "");
    std::fprintf(stream, "  %-18s neither read nor write indir.txt and outdir.txt (for\n",
                 "--no-remember");
    std::fprintf(stream, "  %-18s build systems)\n", "");
    std::fprintf(stream, "  %-18s also write FILE, a Makefile rule naming every file the run\n",
                 "--depfile FILE");
    std::fprintf(stream, "  %-18s read, for build systems\n", "");
    std::fprintf(stream, "  %-18s print no written path (warnings and errors still show)\n",
                 "--quiet");
    std::fprintf(stream, "  %-18s show this help\n", "--help");
    std::fprintf(stream, "  %-18s show the version\n\n", "--version");
    std::fprintf(stream,
                 "%s answers the open dialog, -o the save dialog. The written path is printed on\n"
                 "standard output. The folders of the chosen files are remembered in indir.txt\n"
                 "and outdir.txt beside the program. When the program's folder cannot be\n"
                 "written they live in $XDG_STATE_HOME/vantrel/%s/ (by default\n"
                 "~/.local/state/vantrel/%s/; on Windows %%LOCALAPPDATA%%\\Vantrel\\%s\\),\n"
                 "and a first run starts in the current folder.\n"
                 "Exit codes: 0 done or cancelled, 1 fatal error, 2 usage error.\n",
                 tool.inputHelp, tool.programName, tool.programName, tool.programName);
}

int UsageError(const ToolParameters& tool, const char* text) {
    std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", tool.programName, text,
                 tool.programName);
    return 2;
}

CommandLine ParseCommandLine(const ToolParameters& tool, int argc, char** argv) {
    CommandLine result;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (optionsEnded || argument[0] != '-' || argument[1] == '\0') {
            if (result.input != nullptr)
                return Failed(tool, std::string("more than one ") + tool.inputHelp);
            result.input = argument;
            continue;
        }
        if (std::strcmp(argument, "--") == 0) {
            optionsEnded = true;
        } else if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            PrintUsage(tool, stdout);
            result.mode = CommandLine::Mode::Finished;
            return result;
        } else if (std::strcmp(argument, "--version") == 0) {
            std::printf("%s %s\n", tool.programName, kVantrelVersion);
            result.mode = CommandLine::Mode::Finished;
            return result;
        } else if (std::strcmp(argument, "--no-remember") == 0) {
            result.noRemember = true;
        } else if (std::strcmp(argument, "--quiet") == 0) {
            result.quiet = true;
        } else if (std::strcmp(argument, "-o") == 0 || std::strcmp(argument, "--script") == 0 ||
                   std::strcmp(argument, "--depfile") == 0) {
            if (i + 1 == argc) return Failed(tool, std::string(argument) + " needs a value");
            const char* value = argv[++i];
            if (argument[1] == 'o') {
                result.output = value;
            } else if (argument[2] == 's') {
                result.script = value;
            } else {
                result.depfile = value;
            }
        } else {
            const char* equals = std::strchr(argument, '=');
            std::size_t nameLength = equals != nullptr ? static_cast<std::size_t>(equals - argument)
                                                       : std::strlen(argument);
            const ToolFlag* flag = FindFlag(tool, argument, nameLength);
            if (flag == nullptr) return Failed(tool, std::string("unknown option ") + argument);
            const char* value = nullptr;
            if (flag->valueName != nullptr) {
                if (equals != nullptr) {
                    value = equals + 1;
                } else if (i + 1 < argc) {
                    value = argv[++i];
                } else {
                    return Failed(
                        tool, std::string(flag->name) + " needs a value (" + flag->valueName + ")");
                }
            } else if (equals != nullptr) {
                return Failed(tool, std::string(flag->name) + " takes no value");
            }
            if (!flag->apply(value)) {
                return Failed(
                    tool, std::string("invalid value for ") + flag->name + ": " +
                              (value != nullptr ? value : "") + " (expected " +
                              (flag->valueName != nullptr ? flag->valueName : "no value") + ")");
            }
        }
    }
    if (result.script != nullptr) {
        if (result.input != nullptr || result.output != nullptr) {
            return Failed(tool, std::string("--script takes no ") + tool.inputHelp + " and no -o");
        }
        result.mode = CommandLine::Mode::Script;
    } else if (result.input != nullptr) {
        result.mode = CommandLine::Mode::Batch;
    } else if (result.output != nullptr) {
        return Failed(tool, std::string("-o needs a ") + tool.inputHelp + " to convert");
    }
    return result;
}
