// PNG artwork: reads a PNG file into the same 24-bit picture the tools' TGA
// reader gives (width x height pixels of R, G, B, rows top to bottom, no
// padding), so a ship or a list saved as PNG converts to the same bytes as
// the same art saved as TGA.
//
// Every PNG kind is taken: grey, grey with alpha, RGB, RGBA and palette
// images, 1 to 16 bits per sample, interlaced or not. Samples of fewer than 8
// bits are scaled to the full 0..255 range, 16-bit samples rounded to 8 bits;
// grey becomes (v, v, v), as the TGA reader makes it. A pixel whose alpha is
// 0 (also through a palette's or a colour's transparency entry) reads as pure
// black, the tools' transparency; other alpha values are ignored, as the TGA
// reader ignores its fourth byte. Gamma and colour profiles are not applied:
// the stored values are the pixels.
//
// Limits: a side of at most 65535 pixels (what a TGA header can hold) and at
// most limits.maxPixels pixels in all; the picture is held as 4 bytes per
// pixel while it is decoded. Before the pixel buffer is made, the image data
// the header announces is compared with what the file's size can hold.
//
// Failure is returned, never reported: a corrupt or cut-short file gives
// PngReadStatus::Broken and libpng's reason. libpng's own messages never
// reach the console, and a broken file never ends the process.
//
// The build without libpng (the Windows cross build) reads no PNG: every call
// returns PngReadStatus::Unsupported and PngArtIsReadable() is false.
#ifndef UTILS_COMMON_IMAGES_PNG_ART_H
#define UTILS_COMMON_IMAGES_PNG_ART_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum class PngReadStatus {
    Read,
    Unopened,     // the file cannot be opened
    Broken,       // not a PNG, corrupt or cut short (reason from libpng)
    TooLarge,     // a side beyond 65535 or more pixels than the limit
    Unsupported,  // this build reads no PNG
};

struct PngReadLimits {
    uint64_t maxPixels = uint64_t{1} << 27;  // 134 million: 512 MiB while decoding
};

struct PngPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgb;  // width x height x 3 bytes, top row first
};

struct PngReadResult {
    PngReadStatus status = PngReadStatus::Broken;
    std::string reason;  // for every status but Read: what went wrong, in words
    PngPicture picture;
};

constexpr int32_t kLargestPngSide = 65535;

// Decodes a whole PNG file held in memory.
PngReadResult DecodePng(const uint8_t* bytes, size_t size, const PngReadLimits& limits = {});

// Reads the open stream from where it stands to its end and decodes it.
PngReadResult ReadPngStream(std::FILE* stream, const PngReadLimits& limits = {});

// Reads and decodes the file at path.
PngReadResult ReadPngFile(const std::string& path, const PngReadLimits& limits = {});

// Whether this build reads PNG files at all.
bool PngArtIsReadable();

#endif
