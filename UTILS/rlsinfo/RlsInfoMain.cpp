// rlsinfo: tells what a .sh or .shp file holds and whether it is valid.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <Vantrel/Fatal.h>
#include <Vantrel/Pixel.h>
#include <Vantrel/Version.h>

#include "FileReport.h"
#include "ReportOutput.h"

// The library's loaders read sprites unbound here; the screen size only sets
// the library's surface, which rlsinfo does not draw on.
extern const int ProgramScreenWidth = 640;
extern const int ProgramScreenHeight = 480;

// rlsinfo loads through the safe face, which hands a loader's failure back
// as one file's finding; nothing it calls reports through here.
void ReportFatal(const char* text) {
    std::fprintf(stderr, "rlsinfo: %s\n", text != nullptr ? text : "");
    std::exit(1);
}

namespace {

constexpr const char* kUsage =
    "Usage: rlsinfo [--json] FILE...\n"
    "Tells what each ray (.sh) or family (.shp) holds and whether it is valid.\n"
    "The kind is told by the file's magic number, not by its name.\n"
    "\n"
    "For a ray, one line per sprite: index, offset and size of its record,\n"
    "width x height, hot spot, bounds relative to the hot spot, runs, run\n"
    "pixels, edge records and points. For a family: the slot table (the ray\n"
    "each slot uses), each distinct ray as above, and the texts.\n"
    "\n"
    "Every file is loaded with the library's loaders and every sprite goes\n"
    "through the library's sprite check; bytes after the end of the file's\n"
    "content and a slot table that numbers rays out of order are refused too.\n"
    "An invalid file is reported with the reason and, where known, the byte\n"
    "offset where it went wrong.\n"
    "\n"
    "Options:\n"
    "  --json     one JSON document per file, one per line (described in\n"
    "             docs/file-formats.md)\n"
    "  --help     this text\n"
    "  --version  the version\n"
    "\n"
    "Exit codes: 0 every file valid, 1 a file invalid or unreadable, 2 usage\n"
    "error.\n";

}  // namespace

int main(int argc, char** argv) {
    SelectProgramPixelMode();
    bool json = false;
    std::vector<std::string> files;
    bool optionsDone = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!optionsDone && arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (!optionsDone && arg == "--version") {
            std::printf("rlsinfo %s\n", kVantrelVersion);
            return 0;
        } else if (!optionsDone && arg == "--json") {
            json = true;
        } else if (!optionsDone && arg == "--") {
            optionsDone = true;
        } else if (!optionsDone && arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "rlsinfo: unknown option %s\n%s", arg.c_str(), kUsage);
            return 2;
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) {
        std::fprintf(stderr, "rlsinfo: no file\n%s", kUsage);
        return 2;
    }
    int status = 0;
    for (const std::string& file : files) {
        const FileReport report = ReportOnFile(file);
        if (json)
            std::printf("%s\n", ReportJson(report).c_str());
        else
            WriteReportText(stdout, report);
        if (!report.valid) status = 1;
    }
    return status;
}
