// rlspreview: draws what the tools made. Loads a ray (.sh) or a family (.shp)
// with the library's loaders, binds it to the surface, draws every sprite on
// a labelled contact sheet and writes the sheet as a PNG picture; a ray can
// also be written as an animated WebP.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <Vantrel/Fatal.h>
#include <Vantrel/Random.h>
#include <Vantrel/Rls.h>
#include <Vantrel/ScreenGeometry.h>
#include <Vantrel/Version.h>

#include "AnimationFrames.h"
#include "ContactSheet.h"
#include "fatal/FatalLine.h"
#include "PngFile.h"
#include "PreviewContent.h"
#include "WebpAnimation.h"

extern const int ProgramScreenWidth = kPreviewSurfaceSide;
extern const int ProgramScreenHeight = kPreviewSurfaceSide;

namespace {

// The file being loaded, named after the loader's own text in a fatal report.
std::string readingFile;

}  // namespace

void ReportFatal(const char* text) {
    std::string shown = text != nullptr ? text : "";
    while (!shown.empty() && shown.back() == '\n') shown.pop_back();
    if (!readingFile.empty()) shown += " (reading " + readingFile + ")";
    WriteFatalLine(shown.c_str());
    std::exit(1);
}

namespace {

constexpr const char* kUsage =
    "Usage: rlspreview [options] [-o OUT.png] INPUT.sh|INPUT.shp\n"
    "Draws every sprite of a ray (.sh) or a family (.shp) on a contact sheet\n"
    "and writes it as a PNG picture. Each cell is labelled with its sprite's\n"
    "index; each band with its drawing mode. A family shows each slot's ray in\n"
    "a row labelled \"slot K, ray R\", draws its texts as captions above the\n"
    "sheet and prints them on standard output. Rays and families are told\n"
    "apart by their first two bytes, whatever their names.\n"
    "\n"
    "Options:\n"
    "  -o OUT.png           the picture to write (default: INPUT with .png)\n"
    "  --holes              add a band drawn with random holes\n"
    "  --translucent        add a band drawn translucent (over checkers)\n"
    "  --additive           add a band drawn additive (over dark checkers)\n"
    "  --background RRGGBB  a plain background instead of the checkers\n"
    "  --hotspot            a cross at each sprite's hot spot\n"
    "  --bounds             a box just outside each sprite's bounds\n"
    "  --scale N            enlarge the pictures N times, 1 to 8 (nearest\n"
    "                       neighbour; default 1)\n"
    "  --animate OUT.webp   also write a ray's sprites, in order, as a\n"
    "                       lossless animated WebP, hot spots in one place\n"
    "  --fps N              frames per second of the animation, 1 to 100\n"
    "                       (default 12)\n"
    "  --seed N             the random seed of the holes (default 1963)\n"
    "  --help               this text\n"
    "  --version            the version\n"
    "\n"
    "Exit codes: 0 written, 1 fatal error (\"Fatal Error: ...\" on standard\n"
    "error, naming the file being read), 2 usage error (also for an input\n"
    "file that cannot be opened).\n";

int UsageError(const std::string& text) {
    std::fprintf(stderr, "rlspreview: %s\nTry 'rlspreview --help' for more information.\n",
                 text.c_str());
    return 2;
}

bool EndsWith(const std::string& s, const char* tail) {
    const size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

// A family by its magic; a file that starts with neither magic goes by its
// name, so that the loader's own text says what is wrong.
bool IsFamilyFile(const std::string& path) {
    uint8_t magic[2] = {0, 0};
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        const size_t got = std::fread(magic, 1, 2, file);
        std::fclose(file);
        const unsigned value = got == 2 ? magic[0] | (magic[1] << 8) : 0;
        if (value == kRlsFamilyMagic) return true;
        if (value == kRlsRayMagic) return false;
    }
    return EndsWith(path, ".shp");
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

bool ParseNumber(const char* text, unsigned long lowest, unsigned long highest,
                 unsigned long& value) {
    char* end = nullptr;
    value = std::strtoul(text, &end, 10);
    return end != text && *end == '\0' && value >= lowest && value <= highest;
}

}  // namespace

int main(int argc, char** argv) {
    SelectProgramPixelMode();
    SheetStyle style;
    std::string input, output, animation;
    unsigned long seed = 1963, scale = 1, fps = 12;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--version") {
            std::printf("rlspreview %s\n", kVantrelVersion);
            return 0;
        } else if (arg == "--holes") {
            style.modes.push_back(DrawMode::kHoles);
        } else if (arg == "--translucent") {
            style.modes.push_back(DrawMode::kTranslucent);
        } else if (arg == "--additive") {
            style.modes.push_back(DrawMode::kAdditive);
        } else if (arg == "--hotspot") {
            style.hotSpot = true;
        } else if (arg == "--bounds") {
            style.bounds = true;
        } else if (arg == "-o" || arg == "--background" || arg == "--seed" || arg == "--scale" ||
                   arg == "--animate" || arg == "--fps") {
            if (i + 1 >= argc) return UsageError(arg + " needs a value");
            const char* value = argv[++i];
            if (arg == "-o") {
                output = value;
            } else if (arg == "--animate") {
                animation = value;
            } else if (arg == "--background") {
                if (!ParseColour(value, style.background))
                    return UsageError("--background takes six hexadecimal digits, RRGGBB");
                style.checkered = false;
            } else if (arg == "--seed") {
                if (!ParseNumber(value, 0, UINT32_MAX, seed))
                    return UsageError("--seed takes a number");
            } else if (arg == "--scale") {
                if (!ParseNumber(value, 1, 8, scale)) return UsageError("--scale takes 1 to 8");
            } else if (!ParseNumber(value, 1, 100, fps)) {
                return UsageError("--fps takes 1 to 100");
            }
        } else if (!arg.empty() && arg[0] == '-') {
            return UsageError("unknown option " + arg);
        } else if (input.empty()) {
            input = arg;
        } else {
            return UsageError("only one input file");
        }
    }
    if (input.empty()) return UsageError("no input file");
    // A missing input is a usage error, as in the converters.
    if (std::FILE* file = std::fopen(input.c_str(), "rb")) {
        std::fclose(file);
    } else {
        return UsageError(input + ": no such file");
    }
    const bool family = IsFamilyFile(input);
    if (family && !animation.empty()) return UsageError("--animate takes a ray (.sh)");
    if (output.empty()) output = DefaultOutput(input);
    SetRandomSeed(static_cast<uint32_t>(seed));

    SheetContent content;
    RlsRayPtr ray;
    RlsFamilyPtr loadedFamily;
    readingFile = input;
    if (family) {
        loadedFamily.reset(RlsFamilyLoad(input.c_str(), ScreenWidth()));
        if (!loadedFamily) ReportFatal("RlsFamilyLoad: Unable to read file");
        content = FamilyContent(*loadedFamily);
        for (const std::string& text : content.captions) std::printf("%s\n", text.c_str());
    } else {
        ray.reset(LoadRlsRay(input.c_str(), ScreenWidth()));
        if (!ray) ReportFatal("LoadRlsRay: Unable to read file");
        content = RayContent(*ray);
    }
    readingFile.clear();

    std::vector<Pixel16> surface(static_cast<size_t>(ScreenWidth()) * ScreenHeight(), 0);
    const SheetResult sheet = DrawContactSheet(surface.data(), content, style);
    const RgbPicture picture = ScalePicture(
        SurfaceToPicture(surface.data(), ScreenWidth(), 0, 0, sheet.width, sheet.height),
        static_cast<int>(scale));
    if (!WritePng(output, picture)) ReportFatal("rlspreview: Unable to write the picture");
    if (sheet.left_out > 0)
        std::fprintf(stderr, "rlspreview: %d sprites did not fit the sheet and were left out\n",
                     sheet.left_out);
    std::printf("%s\n", output.c_str());

    if (!animation.empty()) {
        const std::vector<const RLSprite*> sprites = RaySprites(*ray);
        const AnimationLayout layout = LayoutAnimation(sprites);
        if (layout.width < 1 || layout.width > ScreenWidth() || layout.height > ScreenHeight())
            ReportFatal("rlspreview: The ray has no sprite that fits an animation");
        std::vector<RgbPicture> frames =
            DrawAnimationFrames(surface.data(), sprites, layout, style);
        for (RgbPicture& frame : frames) frame = ScalePicture(frame, static_cast<int>(scale));
        if (!WriteAnimatedWebp(animation, frames, static_cast<int>(fps)))
            ReportFatal("rlspreview: Unable to write the animation");
        std::printf("%s\n", animation.c_str());
    }
    return 0;
}
