// Plimsor's operation: a list of images into one .sh file.
#include <cstdio>
#include <cstring>
#include <memory>

#include <Vantrel/ByteIO.h>
#include <Vantrel/Fatal.h>
#include <Vantrel/RLSprite.h>
#include <Vantrel/Rls.h>
#include "FrameAnalysis.h"
#include "ListLine.h"
#include "ToolTga.h"
#include "Plimsor.h"

char ImageListEntries[kMaxImageListEntries][kPathBufferSize];
int ImageListCount = 0;

namespace {

constexpr char kSourceName[] = "UTILS\\PLIMSOR\\Plimsor";
constexpr size_t kMessageSize = 2 * kPathBufferSize;

RLSprite ImageSprite;

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

// The output choice after the first image. Returns the open stream, or null
// when the user cancelled.
std::FILE* OpenOutputFile(const char* listPath, char* outputFile) {
    char name[kPathBufferSize];
    CopyPath(name, PathFileName(listPath));
    if (char* point = std::strrchr(name, '.')) *point = '\0';
    FormatPath(outputFile, "%s%c%s.sh", OutputFolder, kPathSeparator, name);
    static const char kFilter[] = "Individual Ship Files\0*.sh\0";
    if (!ChooseFile(outputFile, kFilter, 'w')) return nullptr;
    RememberChosenFolder(outputFile, RememberedFolder::Output);

    std::FILE* stream = BeginOutputFile(outputFile);
    if (stream == nullptr) FatalWithPath("Unable to create file %s", outputFile);
    if (!WriteU16(stream, kRlsRayMagic) ||
        !WriteU16(stream, static_cast<uint16_t>(ImageListCount))) {
        FatalWithPath("Unable to write to file %s", outputFile);
    }
    return stream;
}

// Reads the entry's image and encodes it into ImageSprite, anchored at the
// centre of its visible rectangle.
void EncodeImage(const char* path) {
    // A file that cannot be opened or whose header is not accepted has already
    // ended the program with "Can't load <path>".
    if (ReadToolTga(path, 0) == nullptr) {
        FatalWithPath("Can't load %s: its pixel data is cut short", path);
    }
    FrameRules rules;
    rules.main = FrameImage{ToolTgaSlot(0), ImageWidth, ImageHeight};
    const Rect bounds = FindFrameBounds(rules);
    if (IsEmptyRect(bounds)) FatalWithPath("Image %s has no visible pixel: it is all black", path);

    ImageSprite = RLSprite{};
    AnchorRLSprite(ImageSprite, bounds, (bounds.left + bounds.right) / 2,
                   (bounds.top + bounds.bottom) / 2);
    EncodeFrame(rules, bounds, ImageSprite);
}

}  // namespace

void ResetPlimsorState() {
    ReleaseRLSpriteData(ImageSprite);
    ImageSprite = RLSprite{};
    ImageListCount = 0;
}

void ReadImageList(const char* listPath) {
    ImageListCount = 0;
    // Closed however the reading ends (a name too long for a path is fatal).
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> list(std::fopen(listPath, "r"),
                                                               std::fclose);
    if (list == nullptr) FatalWithPath("Unable to open list file %s", listPath);
    char line[kPathBufferSize];
    while (ReadListLine(list.get(), line)) {
        if (ImageListCount == kMaxImageListEntries) continue;
        MakeEntry(ImageListEntries[ImageListCount], line);
        ++ImageListCount;
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

    ReadImageList(listPath);
    if (ImageListCount == 0) return;

    std::FILE* output = nullptr;
    char outputFile[kPathBufferSize];
    for (int i = 0; i < ImageListCount; ++i) {
        EncodeImage(ImageListEntries[i]);
        if (i == 0) {
            output = OpenOutputFile(listPath, outputFile);
            if (output == nullptr) {
                ReleaseRLSpriteData(ImageSprite);
                return;
            }
        }
        StoreRLSprite(&ImageSprite, outputFile, output);
        ReleaseRLSpriteData(ImageSprite);
    }
    if (!FinishOutputFile(output)) FatalWithPath("Unable to write to file %s", outputFile);
}

void PlimsorKeyRelease(int key) {
    if (key == 'I') ConvertImageList();
}

void PlimsorUpdateTitle() {
    SetToolTitle("Orlavine (press I to input a .txt file)");
}

const ToolParameters& PlimsorTool() {
    static const ToolParameters kTool = {
        "plimsor",
        "Orlavine",
        440,
        20,
        PlimsorUpdateTitle,
        PlimsorKeyRelease,
        'I',
        "LIST.txt",
        "OUT.sh",
        "Converts the images named in LIST.txt (up to 64) into one .sh file.",
        nullptr,
        0,
    };
    return kTool;
}
