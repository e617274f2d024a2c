// PNG artwork through libpng's full interface, which lets the reader choose
// every transform itself (the simplified interface would apply gamma and
// compose alpha).
//
// libpng reports an error by calling the error handler and never returning:
// the handler longjmps back to the setjmp in DecodeWithLibpng. A longjmp
// skips destructors, so everything that lives across it is plain data in a
// DecodeJob owned by the caller: libpng's structures, the pixel buffer and the
// row table are released by the caller after DecodeWithLibpng has returned,
// whichever way it returned. The handlers keep libpng silent: errors are
// copied into the job, warnings dropped.
#include "images/PngArt.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// zlib's deflate stores at most 258 bytes for every 2 bits of its output in
// the best case, about 1032 to 1; an image's data can therefore not come from
// fewer compressed bytes than this share of it.
constexpr uint64_t kLargestInflateRatio = 1032;
constexpr uint64_t kInflateSlack = 1024;

enum class Outcome { Read, Broken, TooLarge };

struct DecodeJob {
    const uint8_t* bytes;
    size_t size;
    size_t at;
    uint64_t maxPixels;
    png_structp png;
    png_infop info;
    png_uint_32 width;
    png_uint_32 height;
    uint8_t* rgba;
    png_bytep* rows;
    char reason[256];
};

void KeepReason(DecodeJob* job, const char* text) {
    std::snprintf(job->reason, sizeof job->reason, "%s", text != nullptr ? text : "");
}

void OnPngError(png_structp png, png_const_charp message) {
    KeepReason(static_cast<DecodeJob*>(png_get_error_ptr(png)), message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void ReadFromMemory(png_structp png, png_bytep out, size_t length) {
    auto* job = static_cast<DecodeJob*>(png_get_io_ptr(png));
    if (length > job->size - job->at) png_error(png, "the file ends early");
    std::memcpy(out, job->bytes + job->at, length);
    job->at += length;
}

// Sets the transforms that turn any PNG into 8-bit R, G, B, A.
void RequestRgba(png_structp png, png_infop info) {
    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    const bool transparencyEntry = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (transparencyEntry) png_set_tRNS_to_alpha(png);
    if (bitDepth == 16) png_set_scale_16(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    if ((colourType & PNG_COLOR_MASK_ALPHA) == 0 && !transparencyEntry) {
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
}

// No object with a destructor may live in this frame: libpng's errors
// longjmp back to the setjmp below.
Outcome DecodeWithLibpng(DecodeJob* job) {
    if (setjmp(png_jmpbuf(job->png)) != 0) return Outcome::Broken;
    png_set_read_fn(job->png, job, &ReadFromMemory);
    png_set_user_limits(job->png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_read_info(job->png, job->info);

    job->width = png_get_image_width(job->png, job->info);
    job->height = png_get_image_height(job->png, job->info);
    const uint64_t pixels = uint64_t{job->width} * job->height;
    if (job->width > static_cast<png_uint_32>(kLargestPngSide) ||
        job->height > static_cast<png_uint_32>(kLargestPngSide) || pixels > job->maxPixels) {
        return Outcome::TooLarge;
    }
    const uint64_t sampleBits =
        pixels * png_get_channels(job->png, job->info) * png_get_bit_depth(job->png, job->info);
    const uint64_t left = job->size - job->at;
    if (sampleBits / 8 > left * kLargestInflateRatio + kInflateSlack) {
        KeepReason(job, "the file is too short for the image its header announces");
        return Outcome::Broken;
    }

    RequestRgba(job->png, job->info);
    if (png_get_rowbytes(job->png, job->info) != size_t{job->width} * 4) {
        KeepReason(job, "its pixel layout cannot be turned into RGB");
        return Outcome::Broken;
    }
    job->rgba = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(pixels) * 4));
    job->rows = static_cast<png_bytep*>(std::malloc(size_t{job->height} * sizeof(png_bytep)));
    if (job->rgba == nullptr || job->rows == nullptr) {
        KeepReason(job, "there is not enough memory for it");
        return Outcome::TooLarge;
    }
    for (png_uint_32 y = 0; y < job->height; ++y)
        job->rows[y] = job->rgba + size_t{y} * job->width * 4;
    png_read_image(job->png, job->rows);
    png_read_end(job->png, nullptr);
    return Outcome::Read;
}

// Whether every chunk up to IEND lies inside the file. libpng trusts a chunk's
// length field and, for text chunks, allocates and clears that much before
// reading: a few bytes claiming gigabytes would cost that memory and time.
bool ChunksFitInFile(const uint8_t* bytes, size_t size) {
    size_t at = 8;
    while (size - at >= 12) {
        const uint64_t length = (uint64_t{bytes[at]} << 24) | (uint64_t{bytes[at + 1]} << 16) |
                                (uint64_t{bytes[at + 2]} << 8) | bytes[at + 3];
        if (length > size - at - 12) return false;
        if (std::memcmp(bytes + at + 4, "IEND", 4) == 0) return true;
        at += 12 + static_cast<size_t>(length);
    }
    return false;
}

// R, G, B of every pixel; alpha 0 becomes pure black.
std::vector<uint8_t> RgbOf(const uint8_t* rgba, size_t pixels) {
    std::vector<uint8_t> rgb(pixels * 3);
    uint8_t* out = rgb.data();
    for (size_t i = 0; i < pixels; ++i, rgba += 4, out += 3) {
        if (rgba[3] == 0) continue;  // already 0, 0, 0
        out[0] = rgba[0];
        out[1] = rgba[1];
        out[2] = rgba[2];
    }
    return rgb;
}

}  // namespace

bool PngArtIsReadable() {
    return true;
}

PngReadResult DecodePng(const uint8_t* bytes, size_t size, const PngReadLimits& limits) {
    PngReadResult result;
    DecodeJob job{};
    job.bytes = bytes;
    job.size = bytes != nullptr ? size : 0;
    job.maxPixels = limits.maxPixels;
    if (job.size < 8 || png_sig_cmp(bytes, 0, 8) != 0) {
        result.status = PngReadStatus::Broken;
        result.reason = "it is not a PNG file (its first bytes are not the PNG signature)";
        return result;
    }
    if (!ChunksFitInFile(bytes, size)) {
        result.status = PngReadStatus::Broken;
        result.reason = "libpng stops reading it: the file ends early";
        return result;
    }
    job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, &OnPngError, &OnPngWarning);
    if (job.png != nullptr) job.info = png_create_info_struct(job.png);
    Outcome outcome = Outcome::Broken;
    if (job.info == nullptr) {
        KeepReason(&job, "there is not enough memory for it");
    } else {
        outcome = DecodeWithLibpng(&job);
    }

    switch (outcome) {
        case Outcome::Read:
            result.status = PngReadStatus::Read;
            result.picture.width = static_cast<int32_t>(job.width);
            result.picture.height = static_cast<int32_t>(job.height);
            result.picture.rgb = RgbOf(job.rgba, size_t{job.width} * job.height);
            break;
        case Outcome::TooLarge:
            result.status = PngReadStatus::TooLarge;
            result.reason = job.reason[0] != '\0'
                                ? std::string(job.reason)
                                : "it is " + std::to_string(job.width) + " x " +
                                      std::to_string(job.height) +
                                      " pixels, more than the tools read (at most " +
                                      std::to_string(kLargestPngSide) + " pixels a side and " +
                                      std::to_string(limits.maxPixels) + " pixels in all)";
            break;
        case Outcome::Broken:
            result.status = PngReadStatus::Broken;
            result.reason = std::string("libpng stops reading it: ") +
                            (job.reason[0] != '\0' ? job.reason : "unknown error");
            break;
    }
    std::free(job.rows);
    std::free(job.rgba);
    if (job.png != nullptr)
        png_destroy_read_struct(&job.png, job.info != nullptr ? &job.info : nullptr, nullptr);
    return result;
}

PngReadResult ReadPngStream(std::FILE* stream, const PngReadLimits& limits) {
    std::vector<uint8_t> bytes;
    uint8_t piece[65536];
    size_t got = 0;
    while ((got = std::fread(piece, 1, sizeof piece, stream)) > 0) {
        bytes.insert(bytes.end(), piece, piece + got);
    }
    if (std::ferror(stream) != 0) {
        PngReadResult result;
        result.status = PngReadStatus::Broken;
        result.reason = "it cannot be read to its end";
        return result;
    }
    return DecodePng(bytes.data(), bytes.size(), limits);
}

PngReadResult ReadPngFile(const std::string& path, const PngReadLimits& limits) {
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) {
        PngReadResult result;
        result.status = PngReadStatus::Unopened;
        result.reason = "it cannot be opened";
        return result;
    }
    PngReadResult result = ReadPngStream(stream, limits);
    std::fclose(stream);
    return result;
}
