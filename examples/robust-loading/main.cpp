// robust-loading: a game that loads its assets from a pack in memory, shows
// a placeholder for each one it cannot load and says why, and draws two
// views of its world on two threads. A bad asset never ends it.
//
//   robust-loading [--reader] [--one-thread] [--ppm PREFIX] [--write-pack OUT.pak]
//                  (FILE | FOLDER)... | PACK.pak
//
// The pack (Pack.h) is made in memory from the files named and from the .sh
// and .shp files of the folders named (in name order), or is read whole from
// one .pak file. Each entry is loaded with the safe loaders from the pack's
// bytes (with --reader through reader callbacks, as from an archive that
// streams), then both views are drawn, each on its own canvas on its own
// thread (with --one-thread one after the other), and each view's checksum is
// printed; --ppm also writes them as PREFIX1.ppm and PREFIX2.ppm.
// --write-pack saves the pack. Exit codes: 0 (whatever the assets held), 1 a
// file that cannot be read or written, 2 a usage error.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <Vantrel/Vantrel.h>

#include "Assets.h"
#include "Pack.h"
#include "Views.h"

// The classic face's surface size and failure report: every program linking
// the library defines them. The safe face used here never calls ReportFatal.
extern const int ProgramScreenWidth = 264;
extern const int ProgramScreenHeight = 160;

void ReportFatal(const char* text) {
    std::fprintf(stderr, "robust-loading: %s\n", text != nullptr ? text : "");
    std::exit(1);
}

namespace {

// Both views' canvases have this pitch, so one binding serves both.
constexpr int32_t kPitch = 264;

struct Options {
    bool reader = false;
    bool oneThread = false;
    std::string ppm;
    std::string writePack;
    std::vector<std::string> inputs;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: robust-loading [--reader] [--one-thread] [--ppm PREFIX]"
                 " [--write-pack OUT.pak] (FILE | FOLDER)... | PACK.pak\n");
    return 2;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--reader") {
            options.reader = true;
        } else if (arg == "--one-thread") {
            options.oneThread = true;
        } else if ((arg == "--ppm" || arg == "--write-pack") && i + 1 < argc) {
            (arg == "--ppm" ? options.ppm : options.writePack) = argv[++i];
        } else if (arg.empty() || arg[0] == '-') {
            return false;
        } else {
            options.inputs.push_back(arg);
        }
    }
    return !options.inputs.empty();
}

bool EndsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

bool ReadFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// The files to pack: each FILE as named, each FOLDER's .sh and .shp files.
bool GatherFiles(const std::vector<std::string>& inputs, std::vector<PackFile>& files) {
    for (const std::string& input : inputs) {
        std::vector<std::filesystem::path> paths;
        std::error_code failed;
        if (std::filesystem::is_directory(input, failed)) {
            for (const auto& item : std::filesystem::directory_iterator(input, failed)) {
                const std::string name = item.path().filename().string();
                if (item.is_regular_file() && (EndsWith(name, ".sh") || EndsWith(name, ".shp")))
                    paths.push_back(item.path());
            }
            std::sort(paths.begin(), paths.end());
        } else {
            paths.emplace_back(input);
        }
        for (const auto& path : paths) {
            PackFile file{path.filename().string(), {}};
            if (!ReadFile(path, file.bytes)) {
                std::fprintf(stderr, "robust-loading: cannot read %s\n", path.string().c_str());
                return false;
            }
            files.push_back(std::move(file));
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) return Usage();

    // The pack, in memory.
    std::vector<uint8_t> pack;
    if (options.inputs.size() == 1 && EndsWith(options.inputs[0], ".pak")) {
        if (!ReadFile(options.inputs[0], pack)) {
            std::fprintf(stderr, "robust-loading: cannot read %s\n", options.inputs[0].c_str());
            return 1;
        }
    } else {
        std::vector<PackFile> files;
        if (!GatherFiles(options.inputs, files)) return 1;
        pack = BuildPack(files);
    }
    if (!options.writePack.empty()) {
        std::ofstream out(options.writePack, std::ios::binary);
        out.write(reinterpret_cast<const char*>(pack.data()),
                  static_cast<std::streamsize>(pack.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "robust-loading: cannot write %s\n", options.writePack.c_str());
            return 1;
        }
    }

    // The pixel layout of the canvases, chosen before anything is loaded:
    // binding converts the sprites' pixels into it.
    SelectPixelLayout565();

    // Every entry, loaded or a placeholder with its reason; the sprites bound
    // to the canvases' pitch.
    const PackContents contents = ReadPack(pack.data(), pack.size());
    std::vector<Asset> assets =
        LoadAssets(contents.entries, kPitch, options.reader ? LoadFrom::Reader : LoadFrom::Memory);
    if (!contents.fault.empty()) assets.push_back(DamagedPack(contents));
    std::printf("pack: %zu entries, %zu bytes\n", contents.entries.size(), pack.size());
    for (const Asset& asset : assets)
        std::printf("%s: %s\n", asset.name.c_str(), asset.description.c_str());

    // Two views, two canvases of one pitch: the first a padded 256-pixel
    // wide buffer, all opaque; the second smaller, looking from elsewhere,
    // in every mode. The assets are only read while the views are drawn.
    View views[2] = {MakeView(256, 160, kPitch, 0, 0, false),
                     MakeView(200, 120, kPitch, 40, 24, true)};
    if (options.oneThread) {
        for (View& view : views) DrawView(view, assets);
    } else {
        std::thread second([&] { DrawView(views[1], assets); });
        DrawView(views[0], assets);
        second.join();
    }
    for (int v = 0; v < 2; ++v) {
        const vantrel::Canvas& canvas = views[v].canvas;
        std::printf("view %d: %dx%d, pitch %d, checksum %08x\n", v + 1, canvas.width, canvas.height,
                    canvas.pitch, ViewChecksum(views[v]));
        const std::string ppm = options.ppm + std::to_string(v + 1) + ".ppm";
        if (!options.ppm.empty() && !WriteViewPpm(views[v], ppm)) {
            std::fprintf(stderr, "robust-loading: cannot write %s\n", ppm.c_str());
            return 1;
        }
    }
    return 0;
}
