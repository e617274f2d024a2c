// Writes uncompressed TGA images: 24-bit and 32-bit true colour, 8-bit
// greyscale, with the first stored row either the top row (descriptor bit 5
// set) or the bottom row.
//
// Pixels come in as rows from top to bottom, no padding: three bytes R, G, B
// per pixel for colour, one byte per pixel for greyscale and for the optional
// fourth byte of 32-bit files. Width and height must be 1..65535. The writers
// return false when the file cannot be created or written completely; a file
// that could not be written completely is removed.
#ifndef SAMPLES_TGA_WRITER_H
#define SAMPLES_TGA_WRITER_H

#include <cstdint>
#include <string>
#include <vector>

enum class TgaRowOrder { TopFirst, BottomFirst };

// 24-bit, or 32-bit when extra (one byte per pixel) is given.
bool WriteColourTga(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb,
                    TgaRowOrder order, const std::vector<uint8_t>* extra = nullptr);

bool WriteGreyTga(const std::string& path, int width, int height, const std::vector<uint8_t>& grey,
                  TgaRowOrder order);

// The encoded bytes the writers store (header and pixels), for tests that
// build files of their own.
std::vector<uint8_t> EncodeColourTga(int width, int height, const std::vector<uint8_t>& rgb,
                                     TgaRowOrder order,
                                     const std::vector<uint8_t>* extra = nullptr);
std::vector<uint8_t> EncodeGreyTga(int width, int height, const std::vector<uint8_t>& grey,
                                   TgaRowOrder order);

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);

#endif
