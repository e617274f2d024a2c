// Quarvin's batch: one ship's 16 frames into one .sh file.
#include <cstdio>
#include <cstring>

#include <Vantrel/ByteIO.h>
#include <Vantrel/Fatal.h>
#include <Vantrel/RLSprite.h>
#include <Vantrel/Rls.h>
#include "FrameAnalysis.h"
#include "ToolTga.h"
#include "Quarvin.h"

namespace {

constexpr char kSourceName[] = "UTILS\\QUARVIN\\Quarvin";
constexpr uint16_t kFramesPerShip = 16;
constexpr int kMainSlot = 0;
constexpr int kAlternateSlot = 1;
// The last six characters of a frame file name: two frame digits and ".tga".
constexpr size_t kFrameSuffixLength = 6;

// Room for a message with up to two paths in it.
constexpr size_t kMessageSize = 4 * kPathBufferSize;

// The batch's process-wide state: the frame files being converted, whether
// the alpha image was read, the record reused for every frame, and the open
// output file.
char MainFrameFile[kPathBufferSize];
char AlphaImageFile[kPathBufferSize];
bool AlphaPresent = false;
RLSprite FrameSprite;
std::FILE* OutputStream = nullptr;
char OutputFile[kPathBufferSize];

[[noreturn]] void FatalWithPath(const char* format, const char* path) {
    char message[kMessageSize];
    std::snprintf(message, sizeof message, format, path);
    ReportFatal(message);
}

void CheckAllFramesExist(const char* shipPath, int offset) {
    for (int index = 1; index <= kFramesPerShip; ++index) {
        char frame[kPathBufferSize];
        FormatPath(frame, "%s%02d.tga", shipPath, index - 1 + offset);
        std::FILE* file = std::fopen(frame, "rb");
        if (file == nullptr) {
            FatalWithPath(
                offset == 0 ? "File %s is missing, need to have from 00 to 15 .tga files per ship"
                            : "File %s is missing, need to have from 01 to 16 .tga files per ship",
                frame);
        }
        std::fclose(file);
    }
}

bool FileOpensForReading(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

// A file that opened but did not give an image: its header is not one of the
// accepted forms, or its pixel data is cut short.
[[noreturn]] void ReportUnreadableImage(const char* path) {
    FatalWithPath("Can't load %s: not an uncompressed .tga file, or its pixel data is cut short",
                  path);
}

void ReadFrameImages(const char* shipName, int fileNumber) {
    AlphaPresent = false;
    int32_t alphaWidth = 0;
    int32_t alphaHeight = 0;
    if (Feather) {
        FormatPath(AlphaImageFile, "%s%ca_%s%02d.tga", InputFolder, kPathSeparator, shipName,
                   fileNumber);
        if (FileOpensForReading(AlphaImageFile)) {
            if (ReadToolTga(AlphaImageFile, kAlternateSlot) == nullptr) {
                ReportUnreadableImage(AlphaImageFile);
            }
            alphaWidth = ImageWidth;
            alphaHeight = ImageHeight;
            AlphaPresent = true;
        }
    }
    // The main frame is read last, so that ImageWidth and ImageHeight are its own.
    if (ReadToolTga(MainFrameFile, kMainSlot) == nullptr) ReportUnreadableImage(MainFrameFile);
    if (AlphaPresent && (alphaWidth != ImageWidth || alphaHeight != ImageHeight)) {
        char message[kMessageSize];
        std::snprintf(message, sizeof message,
                      "Alpha image %s is %ld x %ld pixels but its frame %s is %ld x %ld; "
                      "they must be the same size",
                      AlphaImageFile, static_cast<long>(alphaWidth), static_cast<long>(alphaHeight),
                      MainFrameFile, static_cast<long>(ImageWidth), static_cast<long>(ImageHeight));
        ReportFatal(message);
    }
}

// The output choice at the first frame. Returns false when the user cancelled.
bool OpenOutputFile(const char* shipPath) {
    char name[kPathBufferSize];
    CopyPath(name, PathFileName(shipPath));
    if (char* point = std::strrchr(name, '.')) *point = '\0';
    FormatPath(OutputFile, "%s%c%s.sh", OutputFolder, kPathSeparator, name);
    static const char kFilter[] = "Individual Ship Files\0*.sh\0";
    if (!ChooseFile(OutputFile, kFilter, 'w')) return false;
    RememberChosenFolder(OutputFile, RememberedFolder::Output);

    OutputStream = BeginOutputFile(OutputFile);
    if (OutputStream == nullptr) FatalWithPath("Unable to create file %s", OutputFile);
    // The ray header announces all 16 frames; the file only replaces its
    // target once they have all been written.
    if (!WriteU16(OutputStream, kRlsRayMagic) || !WriteU16(OutputStream, kFramesPerShip)) {
        FatalWithPath("Unable to write to file %s", OutputFile);
    }
    return true;
}

}  // namespace

void ResetQuarvinState() {
    ResetQuarvinOptions();
    ReleaseRLSpriteData(FrameSprite);
    FrameSprite = RLSprite{};
    OutputStream = nullptr;  // the shell abandons an output file a fatal report left open
    AlphaPresent = false;
}

bool ConvertFrame(bool firstFrame, const char* shipPath) {
    FrameRules rules;
    rules.main = FrameImage{ToolTgaSlot(kMainSlot), ImageWidth, ImageHeight};
    if (AlphaPresent) {
        rules.alpha = FrameImage{ToolTgaSlot(kAlternateSlot), ImageWidth, ImageHeight};
    }
    rules.border = Border;
    rules.feather = Feather;
    if (Border) {
        rules.marker = FindMarkerColour(rules.main);
        PaintBorder(rules.main, rules.marker);
    }

    const Rect bounds = FindFrameBounds(rules);
    if (IsEmptyRect(bounds)) {
        if (AlphaPresent) {
            char message[kMessageSize];
            std::snprintf(message, sizeof message,
                          "Frame %s has no visible pixel in its alpha image %s", MainFrameFile,
                          AlphaImageFile);
            ReportFatal(message);
        }
        FatalWithPath("Frame %s has no visible pixel", MainFrameFile);
    }

    // Every frame of a ship turns about the image centre.
    FrameSprite = RLSprite{};
    AnchorRLSprite(FrameSprite, bounds, ImageWidth / 2 - 1, ImageHeight / 2 - 1);
    EncodeFrame(rules, bounds, FrameSprite);

    if (firstFrame && !OpenOutputFile(shipPath)) {
        ReleaseRLSpriteData(FrameSprite);
        return false;
    }
    StoreRLSprite(&FrameSprite, OutputFile, OutputStream);
    ReleaseRLSpriteData(FrameSprite);
    return true;
}

void ConvertShip() {
    SetUnacceptedTgaReaction(UnacceptedTga::ReturnNull);
    SetToolTgaSource(kSourceName);

    char chosen[kPathBufferSize];
    FormatPath(chosen, "%s%c*.tga", InputFolder, kPathSeparator);
    static const char kFilter[] = "Uncompressed Targa Files\0*.tga\0";
    if (!ChooseFile(chosen, kFilter, 'r')) return;
    RememberChosenFolder(chosen, RememberedFolder::Input);

    const int offset = Offset;
    const char* fileName = PathFileName(chosen);
    const size_t nameLength = std::strlen(fileName);
    if (nameLength < kFrameSuffixLength) {
        FatalWithPath(
            "File name %s is too short: a ship's frame is named by the ship's name, "
            "two frame digits and .tga",
            chosen);
    }
    char shipName[kPathBufferSize];
    std::memcpy(shipName, fileName, nameLength - kFrameSuffixLength);
    shipName[nameLength - kFrameSuffixLength] = '\0';
    char shipPath[kPathBufferSize];
    JoinPath(shipPath, InputFolder, shipName);

    CheckAllFramesExist(shipPath, offset);

    OutputStream = nullptr;
    for (int index = 1; index <= kFramesPerShip; ++index) {
        const int fileNumber = index - 1 + offset;
        FormatPath(MainFrameFile, "%s%02d.tga", shipPath, fileNumber);
        ReadFrameImages(shipName, fileNumber);
        if (!ConvertFrame(index == 1, shipPath)) break;
    }
    if (OutputStream != nullptr) {
        std::FILE* stream = OutputStream;
        OutputStream = nullptr;
        if (!FinishOutputFile(stream)) FatalWithPath("Unable to write to file %s", OutputFile);
    }
}
