/// @file
/// Reading uncompressed TGA images into Rgb24Image buffers.
///
/// An Rgb24Image is width x height pixels of three bytes R, G, B, rows from
/// top to bottom, no row padding. Only this much of the TGA format is read: an
/// 18-byte header followed directly by the pixels; no identification field, no
/// colour map, no footer. The first 12 header bytes must equal a template
/// byte for byte (so an identification length, a colour map, or a non-zero x or
/// y origin is refused):
///
///     true colour  00 00 02 00 00 00 00 00 00 00 00 00
///     greyscale    00 00 03 00 00 00 00 00 00 00 00 00
///
/// then width (u16), height (u16), pixel depth, descriptor; descriptor bit 5
/// set means the first stored row is the top row. Pixels are stored B, G, R
/// (depth 24), B, G, R, x (depth 32, the fourth byte is dropped) or one grey
/// byte (depth 8, only the tools' reader accepts it). The depth alone decides
/// how pixels are read: a type 2 header of depth 8 reads as grey.
///
/// The library reader ReadTgaRgb accepts the true-colour template with depth
/// 24 or 32 and fails quietly with null. The tools' reader (UTILS/common/
/// ToolTga.h) shares ReadTgaHeader and ReadTgaPixels below.
///
/// Sizes are checked before allocating: pixel data announced above 64 KiB is
/// compared with the bytes the stream still holds, and a header announcing
/// more than that fails as a short read without allocating anything. Smaller
/// images (at most 192 KiB once converted) are allocated at once and fail at
/// the read; this saves the size query on the many small frames. On a stream
/// that cannot tell its size (a pipe) the pixels are gathered in growing
/// pieces, so a lying header still cannot force a huge block. Image buffers
/// come from the tracked allocator; the caller owns them and frees them with
/// DebugFree.
#ifndef VANTREL_TGA_H
#define VANTREL_TGA_H

#include <cstdint>
#include <cstdio>

#include "Pixel.h"

/// The tracked allocator's source name of the library's image buffers.
extern const char* const kBitmapSource;

/// The fields of a TGA header that the readers use.
struct TgaHeader {
    uint8_t imageType = 0;     ///< 2 (true colour) or 3 (greyscale)
    int32_t width = 0;         ///< 0..65535
    int32_t height = 0;        ///< 0..65535
    int32_t depth = 0;         ///< bits per stored pixel, as in the file
    bool topRowFirst = false;  ///< descriptor bit 5: the first stored row is the top row
};

/// Which header templates ReadTgaHeader accepts: the true-colour one only
/// (the library's reader), or the greyscale one too (the tools' reader).
enum class TgaTemplates { TrueColourOnly, TrueColourOrGreyscale };

/// Reads the 12 template bytes and, when they match one of the accepted
/// templates, the 6 bytes after them. False when a read was short or the
/// template did not match; header then holds whatever was decoded so far.
bool ReadTgaHeader(std::FILE* stream, TgaTemplates accepted, TgaHeader& header);

/// Reads the pixels a header announces (depth 8, 24 or 32; width and height not
/// 0) into a new Rgb24Image tagged with source and line. Null when the pixel
/// data is short (the stream is then left at its end, as a reader that went
/// pixel by pixel would leave it) or the block cannot be had. On success the
/// stream is left at the byte after the pixels.
uint8_t* ReadTgaPixels(std::FILE* stream, const TgaHeader& header, const char* source, int line);

/// Reads an uncompressed 24- or 32-bit true-colour TGA. With a stream the image
/// is read from its current position and the stream stays open (also on
/// failure); otherwise path is opened and closed here. width and height are set
/// as soon as the header's 18 bytes have been read, before they are checked.
/// Null when the file cannot be opened, the header is short or not accepted,
/// width or height is 0, the depth is not 24 or 32, or the pixels are short.
uint8_t* ReadTgaRgb(const char* path, std::FILE* stream, int32_t& width, int32_t& height);

/// A new image of width x height pixels in the active pixel layout, top row
/// first, each RgbTo565 (truncating) and then ConvertFrom565. Null when the
/// size is negative or the block cannot be had.
Pixel16* Rgb24To16(const uint8_t* rgb, int32_t width, int32_t height);

/// ReadTgaRgb, then Rgb24To16; the intermediate RGB image is freed.
Pixel16* LoadTga16(const char* path, std::FILE* stream, int32_t& width, int32_t& height);

#endif
