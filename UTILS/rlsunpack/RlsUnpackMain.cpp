// rlsunpack: takes a ray or a family apart into the files the three
// programs read, so that running them again gives the file back.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <Vantrel/Fatal.h>
#include <Vantrel/Pixel.h>
#include <Vantrel/Rls.h>
#include <Vantrel/TgaWrite.h>
#include <Vantrel/Version.h>

#include "FamilyList.h"
#include "fatal/FatalLine.h"
#include "FileMap.h"
#include "RayPictures.h"

extern const int ProgramScreenWidth = 640;
extern const int ProgramScreenHeight = 480;

void ReportFatal(const char* text) {
    WriteFatalLine(text);
    std::exit(1);
}

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "Usage: rlsunpack [-o DIR] [--force] FILE\n"
    "Takes a ray (.sh) or a family (.shp) apart into the files the converters\n"
    "read, in DIR (default: the current folder, made if missing). The kind is\n"
    "told by the file's magic number. NAME is FILE's name without its\n"
    "extension.\n"
    "\n"
    "A ray gives:\n"
    "  NAME00.tga ...    each sprite as a 24-bit picture, in ray order, on a\n"
    "                    canvas that puts its hot spot where the converters\n"
    "                    will anchor it\n"
    "  a_NAME00.tga ...  alpha pictures, when a sprite has edge records or\n"
    "                    opaque black pixels: white opaque, black\n"
    "                    transparent, grey an edge pixel whose brightness\n"
    "                    gives its level\n"
    "  NAME.txt          a plimsor list naming the pictures in order\n"
    "A family gives:\n"
    "  NAME_r0.sh ...    each distinct ray, exactly the bytes the family holds\n"
    "  NAME.txt          a dessamor list: the slots in order, then the texts\n"
    "                    as ':' lines\n"
    "\n"
    "Running the program that made the file on what rlsunpack wrote gives the\n"
    "file back byte for byte:\n"
    "  a ray plimsor made:   plimsor NAME.txt\n"
    "  a ship quarvin made without Border and Feather:\n"
    "                        quarvin --no-feather NAME00.tga\n"
    "  a family:             dessamor NAME.txt\n"
    "Feathered ships come back looking the same, not necessarily identical in\n"
    "bytes: quarvin (with Feather) reads the alpha pictures for the edge\n"
    "records. Outlined (Border) ships come back as plain pictures with their\n"
    "outline in them.\n"
    "\n"
    "Options:\n"
    "  -o DIR     the folder to write into\n"
    "  --force    replace files that exist (without it nothing is replaced\n"
    "             and nothing is written when one of the files exists)\n"
    "  --help     this text\n"
    "  --version  the version\n"
    "\n"
    "Exit codes: 0 written, 1 fatal error (\"Fatal Error: ...\" on standard\n"
    "error) or a file that exists, 2 usage error.\n";

int UsageError(const std::string& text) {
    std::fprintf(stderr, "rlsunpack: %s\n%s", text.c_str(), kUsage);
    return 2;
}

// One file to write: a picture or bytes.
struct Output {
    fs::path path;
    const Picture* picture = nullptr;
    std::string bytes;
};

std::string Digits(int32_t index) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", index);
    return text;
}

bool WriteBytesFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    SelectProgramPixelMode();
    std::string input, folder = ".";
    bool force = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--version") {
            std::printf("rlsunpack %s\n", kVantrelVersion);
            return 0;
        } else if (arg == "--force") {
            force = true;
        } else if (arg == "-o") {
            if (i + 1 >= argc) return UsageError("-o needs a folder");
            folder = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError("unknown option " + arg);
        } else if (input.empty()) {
            input = arg;
        } else {
            return UsageError("only one input file");
        }
    }
    if (input.empty()) return UsageError("no input file");

    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(input, bytes)) ReportFatal(("rlsunpack: Unable to read " + input).c_str());
    const FileMap map = MapSpriteFile(bytes);
    const std::string name = fs::path(input).stem().string();
    const fs::path dir(folder);

    std::vector<Output> outputs;
    std::vector<std::string> warnings;
    RlsRayPtr ray;
    RayPictures pictures;
    FamilyParts family;
    std::string rebuild;
    if (map.kind == SpriteFileKind::kFamily) {
        // The loader validates; the map gives the bytes of each ray.
        RlsFamilyPtr(RlsFamilyLoad(input.c_str(), 0));
        if (!map.ok())
            ReportFatal(("rlsunpack: " + map.fault + " at byte " + std::to_string(map.faultOffset))
                            .c_str());
        family = SplitFamily(bytes, map, name);
        for (size_t r = 0; r < family.rays.size(); ++r)
            outputs.push_back({dir / (name + "_r" + std::to_string(r) + ".sh"), nullptr,
                               std::string(family.rays[r].begin(), family.rays[r].end())});
        outputs.push_back({dir / (name + ".txt"), nullptr, family.list});
        warnings = family.warnings;
        rebuild = "dessamor " + (dir / (name + ".txt")).string();
    } else {
        // Anything else goes to the ray loader, which names what is wrong.
        ray.reset(LoadRlsRay(input.c_str(), 0));
        pictures = MakeRayPictures(*ray);
        std::string list = "// Ray unpacked by rlsunpack: one picture per sprite, in order.\n";
        for (int32_t i = 0; i < ray->count; ++i) {
            const std::string picture = name + Digits(i) + ".tga";
            outputs.push_back({dir / picture, &pictures.colour[i], {}});
            if (!pictures.alpha.empty())
                outputs.push_back({dir / ("a_" + picture), &pictures.alpha[i], {}});
            list += (name.starts_with(":") ? "./" : "") + picture + "\n";
        }
        outputs.push_back({dir / (name + ".txt"), nullptr, list});
        warnings = pictures.warnings;
        if (!map.ok())
            warnings.push_back(map.fault + " at byte " + std::to_string(map.faultOffset) +
                               "; a rebuilt file will not hold that");
        if (ray->count > 64) warnings.push_back("plimsor takes at most 64 pictures");
        rebuild = "plimsor " + (dir / (name + ".txt")).string();
        if (ray->count == 16)
            rebuild += std::string(" or quarvin ") +
                       (pictures.alpha.empty() ? "--no-feather " : "") +
                       (dir / (name + "00.tga")).string();
    }

    if (!force)
        for (const Output& out : outputs)
            if (fs::exists(out.path)) {
                std::fprintf(stderr,
                             "rlsunpack: %s exists; nothing written (--force replaces it)\n",
                             out.path.string().c_str());
                return 1;
            }
    std::error_code error;
    fs::create_directories(dir, error);
    for (const Output& out : outputs) {
        const bool ok =
            out.picture != nullptr
                ? WriteTgaFile(out.path.string().c_str(),
                               EncodeTgaRgb(out.picture->width, out.picture->height,
                                            out.picture->rgb.data(), TgaRowOrder::TopFirst))
                : WriteBytesFile(out.path, out.bytes);
        if (!ok) ReportFatal(("rlsunpack: Unable to write " + out.path.string()).c_str());
        std::printf("%s\n", out.path.string().c_str());
    }
    for (const std::string& warning : warnings)
        std::fprintf(stderr, "rlsunpack: %s: %s\n", input.c_str(), warning.c_str());
    std::fprintf(stderr, "rlsunpack: rebuild with %s\n", rebuild.c_str());
    return 0;
}
