#include "Tga.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "ByteIO.h"
#include "DebugAlloc.h"

const char* const kBitmapSource = "Vantrel\\Bitmap";

namespace {

constexpr uint8_t kTrueColourTemplate[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr uint8_t kGreyscaleTemplate[12] = {0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr uint8_t kTopRowFirstBit = 0x20;

// Stored rows are read in pieces of about this many bytes (at least one row)
// and converted straight into their place in the image, so the B, G, R swap,
// the dropping of the fourth byte and the vertical flip take no extra pass.
constexpr size_t kPieceBytes = 64 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using OwnedFile = std::unique_ptr<std::FILE, FileCloser>;

struct TrackedFree {
    void operator()(void* block) const { DebugFree(block); }
};
template <typename T>
using TrackedBlock = std::unique_ptr<T, TrackedFree>;

int32_t StoredBytesPerPixel(const TgaHeader& header) {
    return header.depth / 8;
}

// B, G, R -> R, G, B for one row; the per-depth loops are kept apart so that
// each compiles to a tight loop.
void ConvertRow24(const uint8_t* in, uint8_t* out, int32_t width) {
    for (int32_t x = 0; x < width; ++x, in += 3, out += 3) {
        uint8_t b = in[0], g = in[1], r = in[2];
        out[0] = r;
        out[1] = g;
        out[2] = b;
    }
}

void ConvertRow32(const uint8_t* in, uint8_t* out, int32_t width) {
    for (int32_t x = 0; x < width; ++x, in += 4, out += 3) {
        uint8_t b = in[0], g = in[1], r = in[2];
        out[0] = r;
        out[1] = g;
        out[2] = b;
    }
}

void ConvertRow8(const uint8_t* in, uint8_t* out, int32_t width) {
    for (int32_t x = 0; x < width; ++x, ++in, out += 3) {
        out[0] = out[1] = out[2] = *in;
    }
}

// Converts rowCount consecutive stored rows, the first being stored row
// firstStoredRow, into their rows of the image.
void ConvertStoredRows(const uint8_t* stored, int32_t firstStoredRow, int32_t rowCount,
                       const TgaHeader& header, uint8_t* image) {
    const size_t inStride = static_cast<size_t>(header.width) * StoredBytesPerPixel(header);
    const size_t outStride = static_cast<size_t>(header.width) * 3;
    for (int32_t i = 0; i < rowCount; ++i) {
        int32_t storedRow = firstStoredRow + i;
        int32_t imageRow = header.topRowFirst ? storedRow : header.height - 1 - storedRow;
        const uint8_t* in = stored + static_cast<size_t>(i) * inStride;
        uint8_t* out = image + static_cast<size_t>(imageRow) * outStride;
        switch (header.depth) {
            case 24:
                ConvertRow24(in, out, header.width);
                break;
            case 32:
                ConvertRow32(in, out, header.width);
                break;
            default:
                ConvertRow8(in, out, header.width);
                break;
        }
    }
}

// Bytes of the finished image, or 0 when it cannot be addressed on this host.
size_t ImageBytes(const TgaHeader& header) {
    uint64_t bytes = static_cast<uint64_t>(header.width) * static_cast<uint64_t>(header.height) * 3;
    return bytes > SIZE_MAX ? 0 : static_cast<size_t>(bytes);
}

// The stream's size is known: it was checked against the announced pixel
// bytes, so the image can be allocated at once and filled piece by piece.
uint8_t* ReadSizedPixels(std::FILE* stream, const TgaHeader& header, const char* source, int line) {
    const size_t rowBytes = static_cast<size_t>(header.width) * StoredBytesPerPixel(header);
    const size_t imageBytes = ImageBytes(header);
    if (imageBytes == 0) return nullptr;
    TrackedBlock<uint8_t> image(static_cast<uint8_t*>(DebugAlloc(imageBytes, source, line)));
    if (!image) return nullptr;
    const int32_t rowsPerPiece = static_cast<int32_t>(std::min<size_t>(
        std::max<size_t>(kPieceBytes / rowBytes, 1), static_cast<size_t>(header.height)));
    TrackedBlock<uint8_t> piece(
        static_cast<uint8_t*>(DebugAlloc(rowBytes * rowsPerPiece, source, line)));
    if (!piece) return nullptr;
    for (int32_t row = 0; row < header.height; row += rowsPerPiece) {
        int32_t rows = std::min(rowsPerPiece, header.height - row);
        if (!ReadBytes(stream, piece.get(), rowBytes * rows)) return nullptr;
        ConvertStoredRows(piece.get(), row, rows, header, image.get());
    }
    return image.release();
}

// The stream cannot tell its size (a pipe): the stored bytes are gathered in
// pieces that at most double what has arrived, so the memory taken stays
// proportional to the bytes actually there, whatever the header claims.
uint8_t* ReadUnsizedPixels(std::FILE* stream, const TgaHeader& header, uint64_t storedBytes,
                           const char* source, int line) {
    if (storedBytes > SIZE_MAX) return nullptr;
    std::vector<uint8_t> stored;
    try {
        size_t have = 0;
        while (have < storedBytes) {
            size_t want = std::min<size_t>(static_cast<size_t>(storedBytes) - have,
                                           std::max(kPieceBytes, have));
            stored.resize(have + want);
            size_t got = std::fread(stored.data() + have, 1, want, stream);
            if (got != want) return nullptr;
            have += got;
        }
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    const size_t imageBytes = ImageBytes(header);
    if (imageBytes == 0) return nullptr;
    auto* image = static_cast<uint8_t*>(DebugAlloc(imageBytes, source, line));
    if (image == nullptr) return nullptr;
    ConvertStoredRows(stored.data(), 0, header.height, header, image);
    return image;
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
    const uint64_t storedBytes = static_cast<uint64_t>(header.width) *
                                 static_cast<uint64_t>(header.height) *
                                 static_cast<uint64_t>(StoredBytesPerPixel(header));
    const int64_t left = BytesLeft(stream);
    if (left < 0) return ReadUnsizedPixels(stream, header, storedBytes, source, line);
    if (static_cast<uint64_t>(left) < storedBytes) {
        // A reader going pixel by pixel would have run into the end.
        std::fseek(stream, 0, SEEK_END);
        return nullptr;
    }
    return ReadSizedPixels(stream, header, source, line);
}

uint8_t* ReadTgaRgb(const char* path, std::FILE* stream, int32_t& width, int32_t& height) {
    OwnedFile owned;
    if (stream == nullptr) {
        owned.reset(std::fopen(path, "rb"));
        if (!owned) return nullptr;
        stream = owned.get();
    }
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
    TrackedBlock<uint8_t> rgb(ReadTgaRgb(path, stream, width, height));
    if (!rgb) return nullptr;
    return Rgb24To16(rgb.get(), width, height);
}
