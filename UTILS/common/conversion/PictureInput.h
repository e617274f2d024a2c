// The pictures a conversion reads (frames, alpha images, listed images), each
// opened once: the same open file is read into the tools' image slots
// (images/ToolTga.h) and, when the reader refuses it, told about
// (images/ImageDiagnosis.h). Every file opened is one the job reads
// (ToolJob::Reads).
#ifndef UTILS_COMMON_CONVERSION_PICTURE_INPUT_H
#define UTILS_COMMON_CONVERSION_PICTURE_INPUT_H

#include <Vantrel/ByteIO.h>

#include "frames/FrameImage.h"
#include "shell/core/ToolJob.h"

// Opens path for reading; empty when it does not open (nothing is noted).
FileHandle OpenPicture(ToolJob& job, const char* path);

// Reads the open picture into the slot (kMainToolSlot, kAlternateToolSlot)
// and gives it with its size. A file the reader gives no image for ends the
// program with "Can't load <path>: <reason>; <remedy>"; a depth or size the
// reader does not take with "Must be an uncompressed 8, 24 or 32-bit RGB
// color file: <path>: ...".
FrameImage LoadPicture(std::FILE* stream, const char* path, int slot);

// OpenPicture and LoadPicture; a file that does not open ends the program
// with "Can't load <path>: <reason>; <remedy>" too.
FrameImage OpenAndLoadPicture(ToolJob& job, const char* path, int slot);

#endif
