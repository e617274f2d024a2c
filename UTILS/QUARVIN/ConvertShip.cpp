#include "ConvertShip.h"

#include <cstring>
#include <string>
#include <vector>

#include <Vantrel/ByteIO.h>
#include <Vantrel/Fatal.h>
#include <Vantrel/RLSprite.h>
#include <Vantrel/Rls.h>
#include "conversion/EncoderLimitText.h"
#include "shell/core/FatalContext.h"
#include "frames/FrameAnalysis.h"
#include "images/ImageDiagnosis.h"
#include "shell/core/SameFile.h"
#include "images/ToolTga.h"
#include "frames/FramePixelRules.h"
#include "images/ImageNames.h"

namespace {

constexpr char kSourceName[] = "UTILS\\QUARVIN\\Quarvin";
// The last six characters of a frame file name: two frame digits and ".tga".
constexpr size_t kFrameSuffixLength = 6;

// Room for a message with up to two paths in it.
constexpr size_t kMessageSize = 4 * kPathBufferSize;

[[noreturn]] void FatalWithPath(const char* format, const char* path) {
    char message[kMessageSize];
    std::snprintf(message, sizeof message, format, path);
    ReportFatal(message);
}

// The job for the chosen frame file, whose folder is already the input folder.
ShipJob ShipJobFor(const char* chosen) {
    const ShipOptions options = CurrentShipOptions();
    const char* fileName = PathFileName(chosen);
    const size_t nameLength = std::strlen(fileName);
    if (nameLength < kFrameSuffixLength) {
        FatalWithPath(
            "File name %s is too short: a ship's frame is named by the ship's name, "
            "two frame digits and .tga",
            chosen);
    }
    ShipJob job;
    // PNG frames keep the extension as chosen; every other choice names its
    // frames .tga, as always.
    job.extension = HasPngName(fileName) ? fileName + nameLength - 4 : ".tga";
    job.folder = InputFolder;
    job.name.assign(fileName, nameLength - kFrameSuffixLength);
    char shipPath[kPathBufferSize];
    JoinPath(shipPath, job.folder.c_str(), job.name.c_str());
    job.path = shipPath;
    job.options = options;
    return job;
}

void FormatMainFrameFile(char* out, const ShipJob& job, int fileNumber) {
    FormatPath(out, "%s%02d%s", job.path.c_str(), fileNumber, job.extension.c_str());
}

void CheckAllFramesExist(const ShipJob& job) {
    for (int index = 1; index <= kFramesPerShip; ++index) {
        char frame[kPathBufferSize];
        FormatMainFrameFile(frame, job, index - 1 + job.options.offset);
        std::FILE* file = std::fopen(frame, "rb");
        if (file == nullptr) {
            const bool png = HasPngName(frame);
            const char* format =
                job.options.offset == 0
                    ? (png ? "File %s is missing, need to have from 00 to 15 .png files per ship"
                           : "File %s is missing, need to have from 00 to 15 .tga files per ship")
                    : (png ? "File %s is missing, need to have from 01 to 16 .png files per ship"
                           : "File %s is missing, need to have from 01 to 16 .tga files per ship");
            FatalWithPath(format, frame);
        }
        std::fclose(file);
    }
}

// Every file the batch reads, which its output must not name: the 16 frames
// and, with Feather on, their alpha images.
std::vector<std::string> ShipInputs(const ShipJob& job) {
    std::vector<std::string> inputs;
    for (int index = 1; index <= kFramesPerShip; ++index) {
        const int number = index - 1 + job.options.offset;
        char path[kPathBufferSize];
        FormatMainFrameFile(path, job, number);
        inputs.emplace_back(path);
        if (job.options.feather) {
            FormatPath(path, "%s%ca_%s%02d%s", job.folder.c_str(), kPathSeparator, job.name.c_str(),
                       number, job.extension.c_str());
            inputs.emplace_back(path);
        }
    }
    return inputs;
}

bool FileOpensForReading(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

// A file that opened but did not give an image: its header is not one of the
// accepted forms, or its pixel data is cut short; the text says which.
[[noreturn]] void ReportUnreadableImage(const char* path) {
    ReportFatal(CantLoadImageText(path).c_str());
}

// Reads the frame with the given file number: its alpha image first (when
// Feather is on and the file opens), then its main frame.
ShipFrame ReadFrame(const ShipJob& job, int fileNumber) {
    ShipFrame frame;
    FormatMainFrameFile(frame.mainFile, job, fileNumber);
    if (job.options.feather) {
        FormatPath(frame.alphaFile, "%s%ca_%s%02d%s", job.folder.c_str(), kPathSeparator,
                   job.name.c_str(), fileNumber, job.extension.c_str());
        if (FileOpensForReading(frame.alphaFile)) {
            frame.alpha = LoadToolSlot(frame.alphaFile, kAlternateToolSlot);
            if (frame.alpha.pixels == nullptr) ReportUnreadableImage(frame.alphaFile);
        }
    }
    frame.main = LoadToolSlot(frame.mainFile, kMainToolSlot);
    if (frame.main.pixels == nullptr) ReportUnreadableImage(frame.mainFile);
    if (frame.alpha.pixels != nullptr &&
        (frame.alpha.width != frame.main.width || frame.alpha.height != frame.main.height)) {
        char message[kMessageSize];
        std::snprintf(message, sizeof message,
                      "Alpha image %s is %ld x %ld pixels but its frame %s is %ld x %ld; "
                      "they must be the same size",
                      frame.alphaFile, static_cast<long>(frame.alpha.width),
                      static_cast<long>(frame.alpha.height), frame.mainFile,
                      static_cast<long>(frame.main.width), static_cast<long>(frame.main.height));
        ReportFatal(message);
    }
    return frame;
}

// The output choice at the first frame: proposes <output folder>/<ship name
// cut at its last point>.sh. Returns false when the user cancelled.
bool OpenRayOutput(const ShipJob& job, RayOutput& output) {
    char name[kPathBufferSize];
    CopyPath(name, PathFileName(job.path.c_str()));
    if (char* point = std::strrchr(name, '.')) *point = '\0';
    FormatPath(output.path, "%s%c%s.sh", OutputFolder, kPathSeparator, name);
    static const char kFilter[] = "Individual Ship Files\0*.sh\0";
    if (!ChooseFile(output.path, kFilter, 'w')) return false;
    RememberChosenFolder(output.path, RememberedFolder::Output);

    output.stream = BeginOutputFile(output.path);
    if (output.stream == nullptr) FatalWithPath("Unable to create file %s", output.path);
    // The ray header announces all 16 frames; the file only replaces its
    // target once they have all been written.
    if (!WriteU16(output.stream, kRlsRayMagic) ||
        !WriteU16(output.stream, static_cast<uint16_t>(kFramesPerShip))) {
        FatalWithPath("Unable to write to file %s", output.path);
    }
    return true;
}

}  // namespace

void ResetQuarvinState() {
    ResetQuarvinOptions();
    ResetToolTga();
}

bool ConvertFrame(const ShipJob& job, ShipFrame& frame, bool firstFrame, RayOutput& output) {
    FrameRules rules;
    rules.main = frame.main;
    rules.alpha = frame.alpha;
    rules.border = job.options.border;
    rules.feather = job.options.feather;
    if (rules.border) {
        rules.marker = FindMarkerColour(rules.main);
        PaintBorder(rules.main, rules.marker);
    }

    const Rect bounds = FindFrameBounds(rules);
    if (IsEmptyRect(bounds)) {
        if (frame.alpha.pixels != nullptr) {
            char message[kMessageSize];
            std::snprintf(message, sizeof message,
                          "Frame %s has no visible pixel in its alpha image %s", frame.mainFile,
                          frame.alphaFile);
            ReportFatal(message);
        }
        FatalWithPath("Frame %s has no visible pixel", frame.mainFile);
    }

    // Every frame of a ship turns about the image centre.
    FrameSprite sprite;
    {
        const ArtInProgress art{std::string("frame ") + frame.mainFile, &rules, bounds};
        const FatalContext context(&ExplainEncoderLimitOf, &art);
        AnchorRLSprite(sprite.record, bounds, frame.main.width / 2 - 1, frame.main.height / 2 - 1);
        EncodeFrame(rules, bounds, sprite.record);
    }

    if (firstFrame) {
        const RunInputGuard guard(ShipInputs(job));
        if (!OpenRayOutput(job, output)) return false;
    }
    StoreRLSprite(&sprite.record, output.path, output.stream);
    return true;
}

void ConvertShip() {
    SetUnacceptedTgaReaction(UnacceptedTga::ReturnNull);
    SetToolTgaSource(kSourceName);

    char chosen[kPathBufferSize];
    FormatPath(chosen, "%s%c*.tga", InputFolder, kPathSeparator);
    static const char kFilter[] = "Uncompressed Targa Files\0*.tga\0PNG Images\0*.png\0";
    if (!ChooseFile(chosen, kFilter, 'r')) return;
    RememberChosenFolder(chosen, RememberedFolder::Input);

    const ShipJob job = ShipJobFor(chosen);
    CheckAllFramesExist(job);

    RayOutput output;
    for (int index = 1; index <= kFramesPerShip; ++index) {
        ShipFrame frame = ReadFrame(job, index - 1 + job.options.offset);
        if (!ConvertFrame(job, frame, index == 1, output)) break;
    }
    if (output.stream != nullptr && !FinishOutputFile(output.stream)) {
        FatalWithPath("Unable to write to file %s", output.path);
    }
}
