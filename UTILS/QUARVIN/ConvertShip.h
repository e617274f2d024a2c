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
// the options of the moment) and the 16 frame files, opened once when they
// are checked; from the job and a frame file to a ShipFrame (its files and
// images), from each frame to its sprite, and from the sprites to the
// RayOutput, chosen after the first frame is encoded. Nothing of one batch is
// kept in globals; what stays loaded afterwards is the last frame's images in
// the tools' TGA slots.
//
// Every failure ends the program through ReportFatal (never returns); a
// cancelled file choice ends the batch silently. The .sh file is written
// through the shell's output files, so a batch that does not finish leaves the
// previous file untouched and nothing partial.
#ifndef UTILS_QUARVIN_CONVERT_SHIP_H
#define UTILS_QUARVIN_CONVERT_SHIP_H

#include <array>
#include <cstdio>
#include <string>

#include <Vantrel/ByteIO.h>
#include <Vantrel/RLSprite.h>

#include "QuarvinOptions.h"
#include "ToolShell.h"
#include "frames/FrameImage.h"

constexpr int kFramesPerShip = 16;

// One batch, fixed once its frame has been chosen.
struct ShipJob {
    std::string folder;     // where the frames and alpha images are: the input folder
    std::string name;       // the ship's name: "wasp" for wasp07.tga
    std::string path;       // folder, separator and name: the frame files' stem
    std::string extension;  // of every frame and alpha image: ".tga", or as chosen for PNG
    ShipOptions options;
};

// The 16 frame files of the batch, in frame order, open from the check that
// they all exist until each is read.
using ShipFrameFiles = std::array<FileHandle, kFramesPerShip>;

// One frame of the batch: its files and its images, held by the tools' TGA
// slots until the next frame is read.
struct ShipFrame {
    char mainFile[kPathBufferSize] = {};
    char alphaFile[kPathBufferSize] = {};  // only named while Feather is on
    FrameImage main;
    FrameImage alpha;  // no pixels: no alpha image was found
};

// The I key: choose a frame of a ship, check all 16 frames exist, convert
// them and write the .sh file. Reads the options (QuarvinOptions.h) once.
void ConvertShip();

// Converts one frame of the job into sprite: with Border on it paints the
// frame's outline into the main image; the sprite turns about the frame's
// centre.
void ConvertFrame(const ShipJob& job, ShipFrame& frame, RLSprite& sprite);

// The options reset, and the images the last batch left in the tools' TGA
// slots released (tests; the program ends instead).
void ResetQuarvinState();

#endif
