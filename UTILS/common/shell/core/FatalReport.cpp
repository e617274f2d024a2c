// ReportFatal, the one failure path of the tools and of the library they
// link: abandon the open outputs, let the front end show the text, close,
// exit code 1.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <Vantrel/Fatal.h>
#include "shell/core/FatalContext.h"
#include "fatal/FatalLine.h"
#include "shell/core/FrontEnd.h"
#include "shell/core/OutputFiles.h"

namespace {
bool reportingFatal = false;
}  // namespace

void ReportFatal(const char* text) {
    // What the program was doing adds to the texts of the code below it.
    const std::string explained = ExplainFatalText(text != nullptr ? text : "");
    text = explained.c_str();
    AbandonAllOutputFiles();
    if (reportingFatal) {
        // A failure while the report itself is shown: no second box.
        WriteFatalLine(text);
        std::_Exit(1);
    }
    struct ReportGuard {
        ReportGuard() { reportingFatal = true; }
        ~ReportGuard() { reportingFatal = false; }
    } guard;
    std::fflush(stdout);
    const FrontEnd& frontEnd = ActiveFrontEnd();
    frontEnd.reportFatal(frontEnd.context, text);  // the test backend throws here
    if (frontEnd.close != nullptr) frontEnd.close(frontEnd.context);
    std::fflush(stdout);
    std::exit(1);
}
