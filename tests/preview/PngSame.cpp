// pngsame A.png B.png: exit 0 when both pictures have the same size and the
// same pixels, 1 when they differ (the first difference is shown), 2 when one
// cannot be read. File bytes are not compared: encoders may differ.
#include <cstdio>

#include "PngFile.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: pngsame A.png B.png\n");
        return 2;
    }
    RgbPicture a, b;
    if (!ReadPng(argv[1], a) || !ReadPng(argv[2], b)) {
        std::fprintf(stderr, "pngsame: cannot read %s\n", ReadPng(argv[1], a) ? argv[2] : argv[1]);
        return 2;
    }
    if (a.width != b.width || a.height != b.height) {
        std::fprintf(stderr, "pngsame: %dx%d against %dx%d\n", a.width, a.height, b.width,
                     b.height);
        return 1;
    }
    for (size_t i = 0; i < a.rgb.size(); ++i)
        if (a.rgb[i] != b.rgb[i]) {
            const size_t pixel = i / 3;
            std::fprintf(stderr, "pngsame: pixel %zu,%zu differs\n", pixel % a.width,
                         pixel / a.width);
            return 1;
        }
    return 0;
}
