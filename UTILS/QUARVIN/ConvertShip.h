// Quarvin's batch: a ship's 16 rotation frames into one .sh file (an RlsRay
// of 16 sprites).
//
// A ship is chosen by any one of its frame files, named by the ship's name,
// two frame digits and .tga; the frames are numbered 00 to 15 (Offset 0) or 01
// to 16 (Offset 1). With Feather on, a frame may have an alpha image of the
// same size named a_<ship><digits>.tga in the same folder, which then decides
// which pixels are opaque and how strongly each edge pixel is blended.
// A ship chosen by a PNG frame (wasp00.png) has PNG frames and alpha images
// (wasp00.png to wasp15.png, a_wasp00.png, ...), read into the same pictures.
//
// The batch flows from the chosen frame to a ShipJob (folder, ship name and
// the options of the moment), from the job and a file number to a ShipFrame
// (its files and images), and from each frame to one record of the RayOutput.
// Nothing of one batch is kept in globals; what stays loaded afterwards is
// the last frame's images in the tools' TGA slots.
//
// Every failure ends the program through ReportFatal (never returns); a
// cancelled file choice ends the batch silently. The .sh file is written
// through the shell's output files, so a batch that does not finish leaves the
// previous file untouched and nothing partial.
#ifndef UTILS_QUARVIN_CONVERT_SHIP_H
#define UTILS_QUARVIN_CONVERT_SHIP_H

#include <cstdio>
#include <string>

#include "frames/FrameImage.h"
#include "QuarvinOptions.h"
#include "ToolShell.h"

constexpr int kFramesPerShip = 16;

// One batch, fixed once its frame has been chosen.
struct ShipJob {
    std::string folder;     // where the frames and alpha images are: the input folder
    std::string name;       // the ship's name: "wasp" for wasp07.tga
    std::string path;       // folder, separator and name: the frame files' stem
    std::string extension;  // of every frame and alpha image: ".tga", or as chosen for PNG
    ShipOptions options;
};

// One frame of the batch: its files and its images, held by the tools' TGA
// slots until the next frame is read.
struct ShipFrame {
    char mainFile[kPathBufferSize] = {};
    char alphaFile[kPathBufferSize] = {};  // only named while Feather is on
    FrameImage main;
    FrameImage alpha;  // no pixels: no alpha image was found
};

// The .sh file of the batch: opened at the first frame, then one record per
// frame.
struct RayOutput {
    std::FILE* stream = nullptr;
    char path[kPathBufferSize] = {};
};

// The I key: choose a frame of a ship, check all 16 frames exist, convert
// them and write the .sh file. Reads the options (QuarvinOptions.h) once.
void ConvertShip();

// Converts one frame of the job and writes its record. At the first frame it
// asks for the output file and opens it; returns false when the user declined
// to give one, true otherwise. With Border on it paints the frame's outline
// into the main image.
bool ConvertFrame(const ShipJob& job, ShipFrame& frame, bool firstFrame, RayOutput& output);

// The options reset, and the images the last batch left in the tools' TGA
// slots released (tests; the program ends instead).
void ResetQuarvinState();

#endif
