// PNG artwork in a build without libpng (the Windows cross build: Debian has
// no libpng for mingw-w64). Every read says so; the tools then name the file
// and ask for a TGA.
#include "images/PngArt.h"

bool PngArtIsReadable() {
    return false;
}

PngReadResult DecodePng(const uint8_t*, size_t, const PngReadLimits&) {
    PngReadResult result;
    result.status = PngReadStatus::Unsupported;
    result.reason =
        "this build of the tools reads no PNG; export the artwork as an uncompressed "
        "24-bit TGA";
    return result;
}

PngReadResult ReadPngStream(std::FILE*, const PngReadLimits& limits) {
    return DecodePng(nullptr, 0, limits);
}

PngReadResult ReadPngFile(const std::string&, const PngReadLimits& limits) {
    return DecodePng(nullptr, 0, limits);
}
