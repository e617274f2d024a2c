#include "conversion/PictureInput.h"

#include <cstdio>

#include <Vantrel/Fatal.h>

#include "images/ImageDiagnosis.h"
#include "images/ToolTga.h"

FileHandle OpenPicture(ToolJob& job, const char* path) {
    FileHandle file(std::fopen(path, "rb"));
    if (file) job.Reads(path);
    return file;
}

FrameImage LoadPicture(std::FILE* stream, const char* path, int slot) {
    const FrameImage image = LoadToolSlot(stream, path, slot);
    if (image.pixels == nullptr) ReportFatal(CantLoadImageText(stream, path).c_str());
    return image;
}

FrameImage OpenAndLoadPicture(ToolJob& job, const char* path, int slot) {
    const FileHandle file = OpenPicture(job, path);
    if (!file) ReportFatal(CantLoadImageText(path).c_str());
    return LoadPicture(file.get(), path, slot);
}
