// rlspreview: draws what the tools made. Loads a ray (.sh) or a family (.shp)
// with the library's loaders, binds it to the surface, draws every sprite on
// a contact sheet and writes the sheet as a PNG picture.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <Vantrel/Fatal.h>
#include <Vantrel/Random.h>
#include <Vantrel/Rls.h>
#include <Vantrel/ScreenGeometry.h>
#include "ContactSheet.h"
#include "PngFile.h"

// The surface the sheet is drawn on: a family's six slots of ship-sized
// sprites fit in all four drawing modes. Only the part in use is written.
extern const int ProgramScreenWidth = 2048;
extern const int ProgramScreenHeight = 2048;

void ReportFatal(const char* text) {
    const char* shown = text != nullptr ? text : "";
    const size_t length = std::strlen(shown);
    std::fprintf(stderr, "Fatal Error: %s%s", shown,
                 length > 0 && shown[length - 1] == '\n' ? "" : "\n");
    std::exit(1);
}

namespace {

constexpr const char* kUsage =
    "Usage: rlspreview [options] [-o OUT.png] INPUT.sh|INPUT.shp\n"
    "Draws every sprite of a ray (.sh) or a family (.shp) on a contact sheet\n"
    "and writes it as a PNG picture. A family shows each slot's ray in a row of\n"
    "its own and prints its texts on standard output.\n"
    "\n"
    "Options:\n"
    "  -o OUT.png           the picture to write (default: INPUT with .png)\n"
    "  --holes              add a band drawn with random holes\n"
    "  --translucent        add a band drawn translucent\n"
    "  --additive           add a band drawn additive\n"
    "  --background RRGGBB  a plain background instead of the checkers\n"
    "  --seed N             the random seed of the holes (default 1963)\n"
    "  --help               this text\n"
    "\n"
    "Exit codes: 0 written, 1 fatal error (\"Fatal Error: ...\" on standard\n"
    "error), 2 usage error.\n";

int UsageError(const char* text) {
    std::fprintf(stderr, "rlspreview: %s\n%s", text, kUsage);
    return 2;
}

bool EndsWith(const std::string& s, const char* tail) {
    const size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

std::string DefaultOutput(const std::string& input) {
    const size_t slash = input.find_last_of('/');
    const size_t dot = input.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        return input.substr(0, dot) + ".png";
    return input + ".png";
}

bool ParseColour(const char* text, Pixel16& colour) {
    if (std::strlen(text) != 6) return false;
    char* end = nullptr;
    const unsigned long rgb = std::strtoul(text, &end, 16);
    if (end == nullptr || *end != '\0') return false;
    colour =
        ConvertFrom565(RgbTo565(static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 255),
                                static_cast<int>(rgb & 255)));
    return true;
}

void AddRay(SheetRows& rows, const RlsRay* ray) {
    rows.emplace_back();
    if (ray == nullptr) return;
    for (int32_t i = 0; i < ray->count; ++i) rows.back().push_back(ray->Get(i));
}

}  // namespace

int main(int argc, char** argv) {
    SelectProgramPixelMode();
    SheetStyle style;
    std::string input, output;
    uint32_t seed = 1963;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--holes") {
            style.modes.push_back(DrawMode::kHoles);
        } else if (arg == "--translucent") {
            style.modes.push_back(DrawMode::kTranslucent);
        } else if (arg == "--additive") {
            style.modes.push_back(DrawMode::kAdditive);
        } else if (arg == "-o" || arg == "--background" || arg == "--seed") {
            if (i + 1 >= argc) return UsageError((arg + " needs a value").c_str());
            const char* value = argv[++i];
            if (arg == "-o") {
                output = value;
            } else if (arg == "--background") {
                if (!ParseColour(value, style.background))
                    return UsageError("--background takes six hexadecimal digits, RRGGBB");
                style.checkered = false;
            } else {
                char* end = nullptr;
                const unsigned long n = std::strtoul(value, &end, 10);
                if (end == value || *end != '\0') return UsageError("--seed takes a number");
                seed = static_cast<uint32_t>(n);
            }
        } else if (!arg.empty() && arg[0] == '-') {
            return UsageError(("unknown option " + arg).c_str());
        } else if (input.empty()) {
            input = arg;
        } else {
            return UsageError("only one input file");
        }
    }
    if (input.empty()) return UsageError("no input file");
    if (output.empty()) output = DefaultOutput(input);
    SetRandomSeed(seed);

    SheetRows rows;
    RlsRayPtr ray;
    RlsFamilyPtr family;
    if (EndsWith(input, ".shp")) {
        family.reset(RlsFamilyLoad(input.c_str(), ScreenWidth()));
        if (!family) ReportFatal("RlsFamilyLoad: Unable to read file");
        // Empty slots after the last ray are not shown; those between rays
        // keep their empty row.
        int32_t slots = family->rays.Size();
        while (slots > 0 && family->rays.Get(slots - 1) == nullptr) --slots;
        for (int32_t k = 0; k < slots; ++k) AddRay(rows, family->rays.Get(k));
        for (int32_t t = 0; t < family->texts.Count(); ++t)
            std::printf("%s\n", family->texts.Get(t));
    } else {
        ray.reset(LoadRlsRay(input.c_str(), ScreenWidth()));
        if (!ray) ReportFatal("LoadRlsRay: Unable to read file");
        AddRay(rows, ray.get());
    }

    std::vector<Pixel16> surface(static_cast<size_t>(ScreenWidth()) * ScreenHeight(), 0);
    const SheetResult sheet = DrawContactSheet(surface.data(), rows, style);
    if (!WriteSurfacePng(output, surface.data(), ScreenWidth(), sheet.width, sheet.height))
        ReportFatal("rlspreview: Unable to write the picture");
    if (sheet.left_out > 0)
        std::fprintf(stderr, "rlspreview: %d sprites did not fit the sheet and were left out\n",
                     sheet.left_out);
    std::printf("%s\n", output.c_str());
    return 0;
}
