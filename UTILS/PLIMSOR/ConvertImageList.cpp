#include "ConvertImageList.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <Vantrel/ByteIO.h>
#include <Vantrel/Fatal.h>
#include <Vantrel/RLSprite.h>
#include <Vantrel/Rls.h>
#include "conversion/EncoderLimitText.h"
#include "shell/core/FatalContext.h"
#include "frames/FrameAnalysis.h"
#include "images/ImageDiagnosis.h"
#include "lists/ListLine.h"
#include "shell/core/SameFile.h"
#include "images/ToolTga.h"
#include "shell/core/Warnings.h"
#include "frames/FramePixelRules.h"

namespace {

constexpr char kSourceName[] = "UTILS\\PLIMSOR\\Plimsor";
constexpr size_t kMessageSize = 2 * kPathBufferSize;

[[noreturn]] void FatalWithPath(const char* format, const char* path) {
    char message[kMessageSize];
    std::snprintf(message, sizeof message, format, path);
    ReportFatal(message);
}

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

// The output choice after the first image: proposes <output folder>/<list
// name cut at its last point>.sh. Returns the open stream with the ray header
// for count sprites written, or null when the user cancelled.
std::FILE* OpenOutputFile(const char* listPath, int count, char* outputFile) {
    char name[kPathBufferSize];
    CopyPath(name, PathFileName(listPath));
    if (char* point = std::strrchr(name, '.')) *point = '\0';
    FormatPath(outputFile, "%s%c%s.sh", OutputFolder, kPathSeparator, name);
    static const char kFilter[] = "Individual Ship Files\0*.sh\0";
    if (!ChooseFile(outputFile, kFilter, 'w')) return nullptr;
    RememberChosenFolder(outputFile, RememberedFolder::Output);

    std::FILE* stream = BeginOutputFile(outputFile);
    if (stream == nullptr) FatalWithPath("Unable to create file %s", outputFile);
    if (!WriteU16(stream, kRlsRayMagic) || !WriteU16(stream, static_cast<uint16_t>(count))) {
        FatalWithPath("Unable to write to file %s", outputFile);
    }
    return stream;
}

// Reads the entry's image and encodes it into sprite, anchored at the centre
// of its visible rectangle.
void EncodeImage(const char* path, RLSprite& sprite) {
    // A file that cannot be opened or whose header is not accepted has already
    // ended the program with "Can't load <path>: <reason>; <remedy>".
    const FrameImage image = LoadToolSlot(path, kMainToolSlot);
    if (image.pixels == nullptr) ReportFatal(CantLoadImageText(path).c_str());
    FrameRules rules;
    rules.main = image;
    const Rect bounds = FindFrameBounds(rules);
    if (IsEmptyRect(bounds)) FatalWithPath("Image %s has no visible pixel: it is all black", path);

    const ArtInProgress art{std::string("image ") + path, &rules, bounds};
    const FatalContext context(&ExplainEncoderLimitOf, &art);
    AnchorRLSprite(sprite, bounds, (bounds.left + bounds.right) / 2,
                   (bounds.top + bounds.bottom) / 2);
    EncodeFrame(rules, bounds, sprite);
}

}  // namespace

void ResetPlimsorState() {
    ResetToolTga();
}

void ReadImageList(const char* listPath, ImageList& list) {
    list.count = 0;
    // Closed however the reading ends (a name too long for a path is fatal).
    const FileHandle stream(std::fopen(listPath, "r"));
    if (stream == nullptr) FatalWithPath("Unable to open list file %s", listPath);
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
        ++list.count;
    }
}

void ConvertImageList() {
    SetUnacceptedTgaReaction(UnacceptedTga::ReportFatal);
    SetToolTgaSource(kSourceName);

    char listPath[kPathBufferSize];
    FormatPath(listPath, "%s%c*.txt", InputFolder, kPathSeparator);
    static const char kFilter[] = "Text containing list of .TGA Files\0*.txt\0";
    if (!ChooseFile(listPath, kFilter, 'r')) return;
    RememberChosenFolder(listPath, RememberedFolder::Input);

    const auto list = std::make_unique<ImageList>();
    ReadImageList(listPath, *list);
    if (list->count == 0) {
        Warn(std::string(listPath) + " names no image; nothing is written");
        return;
    }

    std::FILE* output = nullptr;
    char outputFile[kPathBufferSize];
    for (int i = 0; i < list->count; ++i) {
        FrameSprite sprite;
        EncodeImage(list->entries[i], sprite.record);
        if (i == 0) {
            std::vector<std::string> inputs(list->entries, list->entries + list->count);
            inputs.emplace_back(listPath);
            const RunInputGuard guard(std::move(inputs));
            output = OpenOutputFile(listPath, list->count, outputFile);
            if (output == nullptr) return;
        }
        StoreRLSprite(&sprite.record, outputFile, output);
    }
    if (!FinishOutputFile(output)) FatalWithPath("Unable to write to file %s", outputFile);
}
