#include "DessamorTool.h"

#include "FamilyBuild.h"

namespace {

void BuildOnAnyKey(int) {
    BuildFamily();
}

const ToolParameters kDessamor = {
    .programName = "dessamor",
    .className = "Create ship family (.shp) from a text list of .sh files",
    .clientWidth = kDessamorClientWidth,
    .clientHeight = kDessamorClientHeight,
    .updateTitle = nullptr,
    .onKeyRelease = BuildOnAnyKey,
    .runKey = 'I',
    .inputHelp = "LIST.txt",
    .outputHelp = "OUT.shp",
    .summary =
        "Packs the .sh files and texts named in LIST.txt into one .shp family file.\n"
        "Reads LIST.txt and each .sh file it names (in the list's folder).",
    .flags = nullptr,
    .flagCount = 0,
};

}  // namespace

const ToolParameters& DessamorTool() {
    return kDessamor;
}
