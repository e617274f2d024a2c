#include "ConvertImageList.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <Vantrel/ByteIO.h>
#include <Vantrel/Fatal.h>

#include "conversion/ConversionFatal.h"
#include "conversion/PictureEncoding.h"
#include "conversion/PictureInput.h"
#include "conversion/RayOutput.h"
#include "frames/FrameAnalysis.h"
#include "frames/FramePixelRules.h"
#include "images/ToolTga.h"
#include "lists/ListLine.h"

namespace {

constexpr char kSourceName[] = "UTILS\\PLIMSOR\\Plimsor";

bool HasPathSeparator(const char* name) {
    return LastPathSeparator(name) != nullptr;
}

// hull -> hull.tga; any name whose fourth-last character is a point stays.
void MakeEntry(char* entry, const char* line) {
    char name[kPathBufferSize];
    const size_t length = std::strlen(line);
    if (length < 4 || line[length - 4] != '.') {
        FormatPath(name, "%s.tga", line);
    } else {
        CopyPath(name, line);
    }
    if (HasPathSeparator(name)) {
        CopyPath(entry, name);
    } else {
        JoinPath(entry, InputFolder, name);
    }
}

// Reads the entry's image and encodes it into sprite, anchored at the centre
// of its visible rectangle.
void EncodeImage(ToolJob& job, const char* path, RLSprite& sprite) {
    FrameRules rules;
    rules.main = OpenAndLoadPicture(job, path, kMainToolSlot);
    const Rect bounds = FindFrameBounds(rules);
    if (IsEmptyRect(bounds)) FatalWithPath("Image %s has no visible pixel: it is all black", path);
    EncodePicture(rules, bounds, (bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2,
                  std::string("image ") + path, sprite);
}

}  // namespace

void ResetPlimsorState() {
    ResetToolTga();
}

void ReadImageList(const char* listPath, ImageList& list, ToolJob& job) {
    list.count = 0;
    // Closed however the reading ends (a name too long for a path is fatal).
    const FileHandle stream(std::fopen(listPath, "r"));
    if (stream == nullptr) FatalWithPath("Unable to open list file %s", listPath);
    job.Reads(listPath);
    char line[kPathBufferSize];
    ListLinePlace place;
    while (ReadListLine(stream.get(), line, place)) {
        const std::string where =
            std::string(listPath) + " line " + std::to_string(place.lineNumber);
        if (place.piece) {
            Warn(where +
                 " is longer than 255 characters; its rest is read as an image name of "
                 "its own");
        }
        if (list.count == kMaxImageListEntries) {
            Warn(where + ": " + line + " is left out; a list converts at most " +
                 std::to_string(kMaxImageListEntries) + " images");
            continue;
        }
        MakeEntry(list.entries[list.count], line);
        job.WillRead(list.entries[list.count]);
        ++list.count;
    }
}

void ConvertImageList() {
    SetToolTgaSource(kSourceName);

    char listPath[kPathBufferSize];
    FormatPath(listPath, "%s%c*.txt", InputFolder, kPathSeparator);
    static const char kFilter[] = "Text containing list of .TGA Files\0*.txt\0";
    if (!ChooseFile(listPath, kFilter, 'r')) return;
    RememberChosenFolder(listPath, RememberedFolder::Input);

    ToolJob job;
    const auto list = std::make_unique<ImageList>();
    ReadImageList(listPath, *list, job);
    if (list->count == 0) {
        Warn(std::string(listPath) + " names no image; nothing is written");
        return;
    }

    RayOutput output;
    for (int i = 0; i < list->count; ++i) {
        FrameSprite sprite;
        EncodeImage(job, list->entries[i], sprite.record);
        if (i == 0 && !BeginRayOutput(output, listPath, list->count)) return;
        AppendToRay(output, sprite.record);
    }
    FinishRay(output);
}
