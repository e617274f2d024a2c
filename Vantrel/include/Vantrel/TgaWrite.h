/// @file
/// Writing uncompressed TGA images, the counterpart of the readers of Tga.h:
/// 24-bit and 32-bit true colour and 8-bit greyscale, with the first stored
/// row either the top row (descriptor bit 5 set) or the bottom row. The header
/// has no identification field and no colour map, and its origin is (0, 0): the
/// one form every reader of the tool chain takes. A 32-bit file announces its
/// fourth byte as 8 attribute bits.
///
/// Pixels come in as rows from top to bottom, no padding: three bytes R, G, B
/// per pixel for colour, one byte per pixel for greyscale and for the fourth
/// byte of 32-bit files. Width and height must be 1..65535, the largest a TGA
/// header holds; other sizes give no bytes. WriteTgaFile returns false when the
/// file cannot be created or written completely, and then leaves no file.
#ifndef VANTREL_TGA_WRITE_H
#define VANTREL_TGA_WRITE_H

#include <cstdint>
#include <vector>

/// Which row a file stores first.
enum class TgaRowOrder {
    TopFirst,     ///< the top row first (descriptor bit 5 set)
    BottomFirst,  ///< the bottom row first
};

/// The bytes of a 24-bit file, or a 32-bit one when fourth (one byte a pixel)
/// is given. Empty for a size beyond 1..65535.
std::vector<uint8_t> EncodeTgaRgb(int32_t width, int32_t height, const uint8_t* rgb,
                                  TgaRowOrder order, const uint8_t* fourth = nullptr);

/// The bytes of an 8-bit greyscale file (image type 3).
std::vector<uint8_t> EncodeTgaGrey(int32_t width, int32_t height, const uint8_t* grey,
                                   TgaRowOrder order);

/// Writes bytes to path (nothing written, and false, for empty bytes).
bool WriteTgaFile(const char* path, const std::vector<uint8_t>& bytes);

#endif
