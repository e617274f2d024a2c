#include <Vantrel/Tga.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include <Vantrel/ByteIO.h>
#include <Vantrel/DebugAlloc.h>
#include "TgaRows.h"

const char* const kBitmapSource = "Vantrel\\Bitmap";

namespace {

constexpr uint8_t kTrueColourTemplate[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr uint8_t kGreyscaleTemplate[12] = {0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr uint8_t kTopRowFirstBit = 0x20;

// Pixel data up to this size is read without first asking the stream how
// much it holds: the block made for it stays small whatever the header claims,
// and a short file still fails at the read.
constexpr uint64_t kUncheckedStoredBytes = 64 * 1024;
// 8- and 32-bit rows are read in pieces of about this many bytes (at least
// one row) and converted straight into their place in the image.
constexpr size_t kPieceBytes = 64 * 1024;

struct TrackedFree {
    void operator()(void* block) const { DebugFree(block); }
};
using TrackedImage = std::unique_ptr<uint8_t, TrackedFree>;

int32_t StoredBytesPerPixel(const TgaHeader& header) {
    return header.depth / 8;
}

uint64_t StoredBytes(const TgaHeader& header) {
    return static_cast<uint64_t>(header.width) * static_cast<uint64_t>(header.height) *
           static_cast<uint64_t>(StoredBytesPerPixel(header));
}

// The image block, or null when it cannot be had or addressed on this host.
uint8_t* AllocateImage(const TgaHeader& header, const char* source, int line) {
    uint64_t bytes = static_cast<uint64_t>(header.width) * static_cast<uint64_t>(header.height) * 3;
    if (bytes > SIZE_MAX) return nullptr;
    return static_cast<uint8_t*>(DebugAlloc(static_cast<size_t>(bytes), source, line));
}

size_t RowBytes(const TgaHeader& header) {
    return static_cast<size_t>(header.width) * 3;
}

uint8_t* ImageRow(uint8_t* image, const TgaHeader& header, int32_t storedRow) {
    int32_t row = header.topRowFirst ? storedRow : header.height - 1 - storedRow;
    return image + static_cast<size_t>(row) * RowBytes(header);
}

// Depth 24: the stored bytes are the image's bytes in another order, so they
// are read straight into the image, then swapped (and flipped) in place in
// one pass.
uint8_t* Read24(std::FILE* stream, const TgaHeader& header, const char* source, int line) {
    TrackedImage image(AllocateImage(header, source, line));
    if (!image || !ReadBytes(stream, image.get(), static_cast<size_t>(StoredBytes(header))))
        return nullptr;
    if (header.topRowFirst) {
        SwapBgrPixels(image.get(), static_cast<int64_t>(header.width) * header.height);
        return image.release();
    }
    for (int32_t top = 0, bottom = header.height - 1; top < bottom; ++top, --bottom) {
        SwapBgrRows(ImageRow(image.get(), header, top), ImageRow(image.get(), header, bottom),
                    header.width);
    }
    if (header.height % 2 != 0)
        SwapBgrPixels(ImageRow(image.get(), header, header.height / 2), header.width);
    return image.release();
}

void ConvertStoredRow(const uint8_t* in, uint8_t* out, const TgaHeader& header) {
    if (header.depth == 32) {
        ConvertBgrxPixels(in, out, header.width);
    } else {
        ConvertGreyPixels(in, out, header.width);
    }
}

// Depths 8 and 32: pieces of whole stored rows through a scratch buffer.
uint8_t* ReadInPieces(std::FILE* stream, const TgaHeader& header, const char* source, int line) {
    const size_t storedRowBytes = static_cast<size_t>(header.width) * StoredBytesPerPixel(header);
    const int32_t rowsPerPiece = static_cast<int32_t>(std::min<size_t>(
        std::max<size_t>(kPieceBytes / storedRowBytes, 1), static_cast<size_t>(header.height)));
    TrackedImage image(AllocateImage(header, source, line));
    if (!image) return nullptr;
    std::unique_ptr<uint8_t[]> piece(new (std::nothrow) uint8_t[storedRowBytes * rowsPerPiece]);
    if (!piece) return nullptr;
    for (int32_t row = 0; row < header.height; row += rowsPerPiece) {
        int32_t rows = std::min(rowsPerPiece, header.height - row);
        if (!ReadBytes(stream, piece.get(), storedRowBytes * rows)) return nullptr;
        for (int32_t i = 0; i < rows; ++i) {
            ConvertStoredRow(piece.get() + i * storedRowBytes,
                             ImageRow(image.get(), header, row + i), header);
        }
    }
    return image.release();
}

// The stream cannot tell its size (a pipe): the stored bytes are gathered
// first (ReadStaged), then converted.
uint8_t* ReadUnsized(std::FILE* stream, const TgaHeader& header, const char* source, int line) {
    std::vector<uint8_t> stored;
    if (!ReadStaged(stream, StoredBytes(header), stored)) return nullptr;
    TrackedImage image(AllocateImage(header, source, line));
    if (!image) return nullptr;
    const size_t storedRowBytes = static_cast<size_t>(header.width) * StoredBytesPerPixel(header);
    for (int32_t row = 0; row < header.height; ++row) {
        const uint8_t* in = stored.data() + row * storedRowBytes;
        uint8_t* out = ImageRow(image.get(), header, row);
        if (header.depth == 24) {
            std::memcpy(out, in, storedRowBytes);
            SwapBgrPixels(out, header.width);
        } else {
            ConvertStoredRow(in, out, header);
        }
    }
    return image.release();
}

}  // namespace

bool ReadTgaHeader(std::FILE* stream, TgaTemplates accepted, TgaHeader& header) {
    uint8_t start[12];
    if (!ReadBytes(stream, start, sizeof start)) return false;
    bool trueColour = std::memcmp(start, kTrueColourTemplate, sizeof start) == 0;
    bool greyscale = accepted == TgaTemplates::TrueColourOrGreyscale &&
                     std::memcmp(start, kGreyscaleTemplate, sizeof start) == 0;
    if (!trueColour && !greyscale) return false;
    header.imageType = start[2];
    uint8_t rest[6];
    if (!ReadBytes(stream, rest, sizeof rest)) return false;
    header.width = LoadU16(rest);
    header.height = LoadU16(rest + 2);
    header.depth = rest[4];
    header.topRowFirst = (rest[5] & kTopRowFirstBit) != 0;
    return true;
}

uint8_t* ReadTgaPixels(std::FILE* stream, const TgaHeader& header, const char* source, int line) {
    if (header.width <= 0 || header.height <= 0) return nullptr;
    if (header.depth != 8 && header.depth != 24 && header.depth != 32) return nullptr;
    if (StoredBytes(header) > kUncheckedStoredBytes) {
        const StreamRoom room = RoomFor(stream, StoredBytes(header));
        if (room == StreamRoom::kUnknown) return ReadUnsized(stream, header, source, line);
        if (room == StreamRoom::kShort) {
            // A reader going pixel by pixel would have run into the end.
            std::fseek(stream, 0, SEEK_END);
            return nullptr;
        }
    }
    if (header.depth == 24) return Read24(stream, header, source, line);
    return ReadInPieces(stream, header, source, line);
}

uint8_t* ReadTgaRgb(const char* path, std::FILE* stream, int32_t& width, int32_t& height) {
    StreamInUse file(path, stream, "rb");
    if (!file) return nullptr;
    stream = file.get();
    TgaHeader header;
    if (!ReadTgaHeader(stream, TgaTemplates::TrueColourOnly, header)) return nullptr;
    width = header.width;
    height = header.height;
    if (header.width == 0 || header.height == 0) return nullptr;
    if (header.depth != 24 && header.depth != 32) return nullptr;
    return ReadTgaPixels(stream, header, kBitmapSource, __LINE__);
}

Pixel16* Rgb24To16(const uint8_t* rgb, int32_t width, int32_t height) {
    if (width < 0 || height < 0) return nullptr;
    const uint64_t count = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    if (count > SIZE_MAX / sizeof(Pixel16)) return nullptr;
    auto* pixels = DebugAllocArray<Pixel16>(static_cast<size_t>(count), kBitmapSource, __LINE__);
    if (pixels == nullptr) return nullptr;
    for (uint64_t i = 0; i < count; ++i, rgb += 3) {
        pixels[i] = ConvertFrom565(RgbTo565(rgb[0], rgb[1], rgb[2]));
    }
    return pixels;
}

Pixel16* LoadTga16(const char* path, std::FILE* stream, int32_t& width, int32_t& height) {
    TrackedImage rgb(ReadTgaRgb(path, stream, width, height));
    if (!rgb) return nullptr;
    return Rgb24To16(rgb.get(), width, height);
}
