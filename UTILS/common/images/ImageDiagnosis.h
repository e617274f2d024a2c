// Why an image file could not be used, told from the file's own bytes.
//
// The tools' TGA reader (ToolTga.h) accepts one narrow kind of file: an
// uncompressed 8, 24 or 32-bit TGA with no image ID, no colour map and its
// origin at 0, 0. Painting programs write many other kinds under the same
// name. When the reader refuses a file, or its pixel data ends early, the
// tools look at the file again here and say what it is and what to do:
//
//   - a file that does not open: there is no such file, it is a folder, ...;
//   - another format, known by its signature: PNG, JPEG, BMP, GIF, WebP,
//     Photoshop (a PNG under a .tga name: name it .png and it converts);
//   - a TGA the reader does not take: run-length compressed (types 9, 10,
//     11), colour-mapped (type 1), 15 or 16-bit pixels, an image ID field, a
//     non-zero origin, a width or height of 0 (all that apply are named);
//   - a TGA whose pixel data is cut short: "its pixel data ends at byte N
//     of M".
//
// The fatal texts keep the reader's own starts ("Can't load <path>", "Must be
// an uncompressed 8, 24 or 32-bit RGB color file") and go on with the reason
// and the remedy. Nothing here reports or ends anything: callers pass the
// text to ReportFatal.
#ifndef UTILS_COMMON_IMAGES_IMAGE_DIAGNOSIS_H
#define UTILS_COMMON_IMAGES_IMAGE_DIAGNOSIS_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

enum class ImageFaultKind {
    None,      // the file looks like one the reader takes
    Unopened,  // missing, a folder, not readable
    Foreign,   // another image format, or not a TGA file at all
    Refused,   // a TGA whose header the reader does not take
    Unusable,  // the header is taken, but the depth or a side of 0 is not
    CutShort,  // the pixel data ends before the header's size says
};

struct ImageFault {
    ImageFaultKind kind = ImageFaultKind::None;
    std::string reason;  // "it is run-length compressed (TGA image type 10)"
    std::string remedy;  // "save it again with RLE compression off"
};

// The diagnosis of the file's first bytes (head, at most 18 are looked at)
// and its full size in bytes. path serves only the remedy's wording (the name
// a PNG should have).
ImageFault DiagnoseImageBytes(const uint8_t* head, size_t headSize, uint64_t fileSize,
                              const std::string& path);

// Opens path and diagnoses it.
ImageFault DiagnoseImageFile(const std::string& path);
// Diagnoses the file path names from its stream, already open (it is read
// from its start and left at its end), so that a file is opened only once.
ImageFault DiagnoseImageStream(std::FILE* stream, const std::string& path);

// "Can't load <path>: <reason>; <remedy>" for a file the reader refused or
// found cut short (any kind of fault). From the open stream when it is given.
std::string CantLoadImageText(const std::string& path);
std::string CantLoadImageText(std::FILE* stream, const std::string& path);

// "Must be an uncompressed 8, 24 or 32-bit RGB color file: <path>: <reason>;
// <remedy>" for a header whose depth or size the reader does not take.
std::string UnusableImageText(const std::string& path);
std::string UnusableImageText(std::FILE* stream, const std::string& path);

#endif
