// paint_big_ship FOLDER [SIZE]: paints the sample wasp's 16 rotation frames
// at SIZE x SIZE pixels (512 by default) as big00.tga .. big15.tga (32-bit)
// with their alpha images a_big00.tga .. a_big15.tga, the input of a whole
// Quarvin run measured by whole_runs.sh.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "Artwork.h"
#include "SampleSet.h"
#include <Vantrel/TgaWrite.h>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: paint_big_ship FOLDER [SIZE]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int size = argc == 3 ? std::atoi(argv[2]) : 512;
    if (size < 16 || size > 4096) {
        std::fprintf(stderr, "paint_big_ship: SIZE must be 16..4096\n");
        return 2;
    }
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const auto drawing = WaspDrawing();
    for (int i = 0; i < kShipFrameCount; ++i) {
        const Canvas frame = PaintShipFrame(drawing, size, i);
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02d", i);
        const std::string name = folder + "/big" + digits + ".tga";
        const std::string alpha = folder + "/a_big" + digits + ".tga";
        if (!WriteTgaFile(name.c_str(),
                          EncodeTgaRgb(size, size, frame.colour.data(), TgaRowOrder::BottomFirst,
                                       frame.coverage.data())) ||
            !WriteTgaFile(alpha.c_str(), EncodeTgaGrey(size, size, frame.coverage.data(),
                                                       TgaRowOrder::TopFirst))) {
            std::fprintf(stderr, "paint_big_ship: cannot write %s\n", name.c_str());
            return 1;
        }
    }
    return 0;
}
