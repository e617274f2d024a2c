#include "PlimsorTool.h"

#include "ConvertImageList.h"

void PlimsorKeyRelease(int key) {
    if (key == 'I') ConvertImageList();
}

void PlimsorUpdateTitle() {
    SetToolTitle("Orlavine (press I to input a .txt file)");
}

namespace {

const ToolParameters kPlimsor = {
    .programName = "plimsor",
    .className = "Orlavine",
    .clientWidth = kPlimsorClientWidth,
    .clientHeight = kPlimsorClientHeight,
    .updateTitle = PlimsorUpdateTitle,
    .onKeyRelease = PlimsorKeyRelease,
    .runKey = 'I',
    .inputHelp = "LIST.txt",
    .outputHelp = "OUT.sh",
    .summary =
        "Converts the images named in LIST.txt (up to 64) into one .sh file.\n"
        "Reads LIST.txt and each image it names (relative to the list's folder): a TGA\n"
        "file, or a PNG file for a name ending in .png; a name without a three-letter\n"
        "extension gets .tga.",
    .flags = nullptr,
    .flagCount = 0,
};

}  // namespace

const ToolParameters& PlimsorTool() {
    return kPlimsor;
}
