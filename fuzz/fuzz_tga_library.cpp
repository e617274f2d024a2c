// The library's TGA reader on arbitrary bytes, by path and by stream: it must
// return null or a complete image of the size it reports, leave a given stream
// open, and give back every tracked block.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <Vantrel/DebugAlloc.h>
#include <Vantrel/Pixel.h>
#include <Vantrel/Tga.h>
#include "FuzzFile.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

void CheckImage(const uint8_t* image, int32_t width, int32_t height) {
    if (image == nullptr) return;
    Require(width > 0 && height > 0);
    Require(BlockSize(image) == static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    // Touch every byte: the sanitizers see a read outside the block.
    unsigned sum = 0;
    for (size_t i = 0; i < BlockSize(image); ++i) sum += image[i];
    Require(sum != 0xFFFFFFFFu);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool modeSet = [] {
        SelectProgramPixelMode();
        return true;
    }();
    (void)modeSet;
    const int blocks = CountBlocks();
    const FuzzFile file(data, size);
    const std::string& path = file.Path();

    int32_t width = -1, height = -1;
    uint8_t* image = ReadTgaRgb(path.c_str(), nullptr, width, height);
    CheckImage(image, width, height);

    std::FILE* stream = std::fopen(path.c_str(), "rb");
    Require(stream != nullptr);
    int32_t streamWidth = -1, streamHeight = -1;
    uint8_t* again = ReadTgaRgb(nullptr, stream, streamWidth, streamHeight);
    Require((again == nullptr) == (image == nullptr));
    CheckImage(again, streamWidth, streamHeight);
    if (image != nullptr) {
        Require(streamWidth == width && streamHeight == height);
        for (size_t i = 0; i < BlockSize(image); ++i) Require(image[i] == again[i]);
        // Left right after the pixels.
        long used = std::ftell(stream);
        Require(used > 18 && static_cast<size_t>(used) <= size);
        Pixel16* pixels = Rgb24To16(image, width, height);
        Require(pixels != nullptr);
        DebugFree(pixels);
    }
    Require(std::fclose(stream) == 0);
    DebugFree(image);
    DebugFree(again);

    Pixel16* loaded = LoadTga16(path.c_str(), nullptr, width, height);
    DebugFree(loaded);
    Require(CountBlocks() == blocks);
    return 0;
}
