// The sample art set: what the painter writes into a folder.
//
//   wasp00.tga .. wasp15.tga      64 x 64, 32-bit, bottom row first: the wasp's
//                                 16 rotation frames, 22.5 degrees clockwise
//                                 apart; each covered pixel holds its shape's
//                                 own colour
//   a_wasp00.tga .. a_wasp15.tga  8-bit greyscale alpha images of those frames:
//                                 the coverage, white = fully covered
//   hornet01.tga .. hornet16.tga  48 x 48, 24-bit, top row first, anti-aliased
//                                 over black, numbered from 01, no alpha images
//   rock.tga crate.tga star.tga planet.tga asteroid.tga
//                                 single pictures over black (24-bit, 32-bit
//                                 and one 8-bit greyscale), for the image list
//
// A ship's frames share one pivot, the pixel (size / 2 - 1, size / 2 - 1), and
// keep a transparent margin of at least two pixels.
#ifndef SAMPLES_SAMPLE_SET_H
#define SAMPLES_SAMPLE_SET_H

#include <string>
#include <vector>

#include "Raster.h"

constexpr int kShipFrameCount = 16;

// Frame index 0..15 of a ship drawing on a size x size canvas.
Canvas PaintShipFrame(const std::vector<Shape>& drawing, int size, int frameIndex);

// Writes the whole set into folder (which must exist). Appends every file name
// written to written. On failure returns false and names the file in error.
bool PaintSampleSet(const std::string& folder, std::vector<std::string>& written,
                    std::string& error);

#endif
