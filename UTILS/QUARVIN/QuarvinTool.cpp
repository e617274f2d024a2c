#include "QuarvinTool.h"

#include <cstring>

#include "ConvertShip.h"
#include "QuarvinOptions.h"

const char* QuarvinTitle() {
    // Indexed by [Border][Feather][Offset]; Border and Feather both on cannot
    // be reached.
    static const char* const kTitles[2][2][2] = {
        {{"Keys: Input  Border(off)  Feather(off)  Offset(0)",
          "Keys: Input  Border(off)  Feather(off)  Offset(1)"},
         {"Keys: Input  Border(off)  Feather(on)  Offset(0)",
          "Keys: Input  Border(off)  Feather(on)  Offset(1)"}},
        {{"Keys: Input  Border(on)  Feather(off)  Offset(0)",
          "Keys: Input  Border(on)  Feather(off)  Offset(1)"},
         {"Keys: Input  Border(on)  Feather(off)  Offset(0)",
          "Keys: Input  Border(on)  Feather(off)  Offset(1)"}}};
    return kTitles[Border ? 1 : 0][Feather ? 1 : 0][Offset != 0 ? 1 : 0];
}

void UpdateTitle() {
    SetToolTitle(QuarvinTitle());
}

void QuarvinKeyRelease(int key) {
    switch (key) {
        case 'I':
            ConvertShip();
            break;
        case 'B':
            SetBorder(!Border);
            UpdateTitle();
            break;
        case 'F':
            SetFeather(!Feather);
            UpdateTitle();
            break;
        case 'O':
            Offset = 1 - Offset;
            UpdateTitle();
            break;
        default:
            break;
    }
}

namespace {

bool ApplyBorderFlag(const char*) {
    SetBorder(true);
    return true;
}

bool ApplyNoFeatherFlag(const char*) {
    SetFeather(false);
    return true;
}

bool ApplyOffsetFlag(const char* value) {
    if (value == nullptr) return false;
    if (std::strcmp(value, "0") == 0) {
        Offset = 0;
    } else if (std::strcmp(value, "1") == 0) {
        Offset = 1;
    } else {
        return false;
    }
    return true;
}

const ToolFlag kQuarvinFlags[] = {
    {"--border", nullptr, "paint a one-pixel outline around each frame (switches Feather off)",
     ApplyBorderFlag},
    {"--no-feather", nullptr, "no blended edge pixels and no alpha images", ApplyNoFeatherFlag},
    {"--offset", "0|1", "number of the first frame file: 0 (00 to 15) or 1 (01 to 16)",
     ApplyOffsetFlag},
};

const ToolParameters kQuarvin = {
    .programName = "quarvin",
    .className = "Quarvin",
    .clientWidth = kQuarvinClientWidth,
    .clientHeight = kQuarvinClientHeight,
    .updateTitle = UpdateTitle,
    .onKeyRelease = QuarvinKeyRelease,
    .runKey = 'I',
    .inputHelp = "FRAME.tga",
    .outputHelp = "OUT.sh",
    .summary =
        "Converts a ship's 16 rotation frames (FRAME is any one of them) into one .sh file.\n"
        "Reads NAME00.tga to NAME15.tga (01 to 16 with --offset 1) beside FRAME and, while\n"
        "feathering, the alpha images a_NAME00.tga ... that exist there. A FRAME named\n"
        ".png (in any case) makes them PNG files: NAME00.png ..., a_NAME00.png ...",
    .flags = kQuarvinFlags,
    .flagCount = static_cast<int>(sizeof kQuarvinFlags / sizeof kQuarvinFlags[0]),
};

}  // namespace

const ToolParameters& QuarvinTool() {
    return kQuarvin;
}
