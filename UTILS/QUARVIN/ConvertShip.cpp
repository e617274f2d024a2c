#include "ConvertShip.h"

#include <cstring>
#include <string>

#include <Vantrel/Fatal.h>

#include "conversion/ConversionFatal.h"
#include "conversion/PictureEncoding.h"
#include "conversion/PictureInput.h"
#include "conversion/RayOutput.h"
#include "frames/FrameAnalysis.h"
#include "frames/FramePixelRules.h"
#include "images/ImageNames.h"
#include "images/ToolTga.h"

namespace {

constexpr char kSourceName[] = "UTILS\\QUARVIN\\Quarvin";
// The last six characters of a frame file name: two frame digits and ".tga".
constexpr size_t kFrameSuffixLength = 6;

// Room for a message with up to two paths in it.
constexpr size_t kMessageSize = 4 * kPathBufferSize;

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

void FormatAlphaFile(char* out, const ShipJob& job, int fileNumber) {
    FormatPath(out, "%s%ca_%s%02d%s", job.folder.c_str(), kPathSeparator, job.name.c_str(),
               fileNumber, job.extension.c_str());
}

int FileNumber(const ShipJob& job, int index) {
    return index - 1 + job.options.offset;
}

// Opens all 16 frames before anything is converted, and names every file the
// batch reads to the job: the frames and, with Feather on, their alpha images.
ShipFrameFiles OpenAllFrames(const ShipJob& job, ToolJob& toolJob) {
    ShipFrameFiles files;
    for (int index = 1; index <= kFramesPerShip; ++index) {
        char frame[kPathBufferSize];
        FormatMainFrameFile(frame, job, FileNumber(job, index));
        files[index - 1] = OpenPicture(toolJob, frame);
        if (!files[index - 1]) {
            const bool png = HasPngName(frame);
            const char* format =
                job.options.offset == 0
                    ? (png ? "File %s is missing, need to have from 00 to 15 .png files per ship"
                           : "File %s is missing, need to have from 00 to 15 .tga files per ship")
                    : (png ? "File %s is missing, need to have from 01 to 16 .png files per ship"
                           : "File %s is missing, need to have from 01 to 16 .tga files per ship");
            FatalWithPath(format, frame);
        }
    }
    // Alpha images are looked for frame by frame; no output may name one.
    if (job.options.feather) {
        for (int index = 1; index <= kFramesPerShip; ++index) {
            char path[kPathBufferSize];
            FormatAlphaFile(path, job, FileNumber(job, index));
            toolJob.WillRead(path);
        }
    }
    return files;
}

// Reads the frame of the given index: its alpha image first (when Feather is
// on and the file opens), then its main frame from the file opened by the
// check, which is closed afterwards.
ShipFrame ReadFrame(const ShipJob& job, int index, ShipFrameFiles& files, ToolJob& toolJob) {
    ShipFrame frame;
    FormatMainFrameFile(frame.mainFile, job, FileNumber(job, index));
    if (job.options.feather) {
        FormatAlphaFile(frame.alphaFile, job, FileNumber(job, index));
        const FileHandle alpha = OpenPicture(toolJob, frame.alphaFile);
        if (alpha) {
            frame.alpha = LoadPicture(alpha.get(), frame.alphaFile, kAlternateToolSlot);
        } else {
            toolJob.LookedFor(frame.alphaFile);
        }
    }
    FileHandle& main = files[index - 1];
    frame.main = LoadPicture(main.get(), frame.mainFile, kMainToolSlot);
    main.reset();
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

}  // namespace

void ResetQuarvinState() {
    ResetQuarvinOptions();
    ResetToolTga();
}

void ConvertFrame(const ShipJob& job, ShipFrame& frame, RLSprite& sprite) {
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
    EncodePicture(rules, bounds, frame.main.width / 2 - 1, frame.main.height / 2 - 1,
                  std::string("frame ") + frame.mainFile, sprite);
}

void ConvertShip() {
    SetToolTgaSource(kSourceName);

    char chosen[kPathBufferSize];
    FormatPath(chosen, "%s%c*.tga", InputFolder, kPathSeparator);
    static const char kFilter[] = "Uncompressed Targa Files\0*.tga\0PNG Images\0*.png\0";
    if (!ChooseFile(chosen, kFilter, 'r')) return;
    RememberChosenFolder(chosen, RememberedFolder::Input);

    ToolJob toolJob;
    const ShipJob job = ShipJobFor(chosen);
    ShipFrameFiles files = OpenAllFrames(job, toolJob);

    RayOutput output;
    for (int index = 1; index <= kFramesPerShip; ++index) {
        ShipFrame frame = ReadFrame(job, index, files, toolJob);
        FrameSprite sprite;
        ConvertFrame(job, frame, sprite.record);
        if (index == 1 && !BeginRayOutput(output, job.path.c_str(), kFramesPerShip)) return;
        AppendToRay(output, sprite.record);
    }
    FinishRay(output);
}
