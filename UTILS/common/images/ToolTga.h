// The tools' TGA reader: ReadToolTga keeps each image it reads in one of two
// slots (main and alternate) and records the size of the last accepted header
// in ImageWidth, ImageHeight and ImageBytesPerPixel.
//
// It accepts what the library reader accepts (Vantrel/Tga.h) plus the
// greyscale template and depth 8 (grey pixels become R = G = B). The pixel
// reading is the library's own, so both readers check sizes before they
// allocate and handle a short file the same way.
//
// A path whose name ends in ".png" (any case) is read as PNG (PngArt.h) into
// the slot instead: the same 24-bit picture, ImageBytesPerPixel 3.
//
// Failures (the texts are built by ImageDiagnosis.h and say why and what to
// do; each names the file):
//   - file not opened, header short or matching no template: null without a
//     message (the caller says why: "Can't load <path>: <reason>; <remedy>",
//     conversion/PictureInput.h);
//   - width or height 0, or depth not 8, 24 or 32: ReportFatal "Must be an
//     uncompressed 8, 24 or 32-bit RGB color file: <path>: <reason>; ...";
//   - pixel data short: null, and the slot is empty afterwards;
//   - a PNG that does not open: as a TGA that does not; any other PNG
//     failure: ReportFatal "Can't load <path>: <libpng's reason>; ...".
// A file the reader opens itself is closed before a report or a return.
#ifndef UTILS_COMMON_IMAGES_TOOL_TGA_H
#define UTILS_COMMON_IMAGES_TOOL_TGA_H

#include <cstdint>
#include <cstdio>

#include "frames/FrameImage.h"

// Size of the last header accepted, whichever slot it went to.
extern int32_t ImageWidth;
extern int32_t ImageHeight;
// depth / 8 of that header as stored in the file: 1, 3 or 4.
extern int32_t ImageBytesPerPixel;

// The tracked allocator's source name for the slot buffers, e.g.
// "UTILS\\QUARVIN\\Quarvin". The allocator keeps the pointer, so the text must
// live as long as the program (a string literal).
void SetToolTgaSource(const char* sourceName);

// Reads path into the main slot (alternate 0) or the alternate slot (any other
// value) and returns the slot's new Rgb24Image, or null. The slot keeps owning
// the buffer: the next read into it whose header passes frees it.
uint8_t* ReadToolTga(const char* path, int alternate);
// ReadToolTga of a file already open, read from where the stream stands and
// left open; path names it (its extension tells PNG from TGA, and the texts
// name it). A tool opens each file once.
uint8_t* ReadToolTgaFrom(std::FILE* stream, const char* path, int alternate);

// The slot's current buffer, or null when empty.
uint8_t* ToolTgaSlot(int alternate);

// The two slots by name, for ReadToolTga's and LoadToolSlot's `alternate`.
constexpr int kMainToolSlot = 0;
constexpr int kAlternateToolSlot = 1;

// ReadToolTga, with the image handed back together with its own size, so that
// a caller never has to know which read last set ImageWidth and ImageHeight.
// No pixels when ReadToolTga gave null. The view stays valid until the next
// read into the same slot.
FrameImage LoadToolSlot(const char* path, int alternate);
FrameImage LoadToolSlot(std::FILE* stream, const char* path, int alternate);

// Frees both slots and resets the size globals and the source name (tests; a
// program need not call it).
void ResetToolTga();

#endif
