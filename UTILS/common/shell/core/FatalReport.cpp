// ReportFatal, the one failure path of the tools and of the library they
// link: abandon the open outputs, let the front end show the text, close,
// exit code 1.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <Vantrel/Fatal.h>
#include "shell/core/ToolJob.h"
#include "fatal/FatalLine.h"
#include "shell/core/FrontEnd.h"
#include "shell/core/OutputFiles.h"

namespace {
bool reportingFatal = false;
}  // namespace

void ReportFatal(const char* text) {
    // What the job under way knows adds to the texts of the code below it.
    const ToolJob* job = CurrentToolJob();
    const std::string given = text != nullptr ? text : "";
    const std::string explained = job != nullptr ? job->ExplainFatalText(given) : given;
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
