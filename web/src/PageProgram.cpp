#include "PageProgram.h"

#include <string>

#include <Vantrel/Fatal.h>

#include "PreviewContent.h"

extern const int ProgramScreenWidth = kPreviewSurfaceSide;
extern const int ProgramScreenHeight = kPreviewSurfaceSide;

namespace {

std::string fatalText;

}  // namespace

const char* LastFatalText() {
    return fatalText.c_str();
}

void ReportFatal(const char* text) {
    fatalText = text != nullptr ? text : "";
    __builtin_trap();
}
