// The drawings of the sample art: two ships seen from above, nose up, and a
// few single pictures. Each drawing is in its own units around its origin;
// Radius() gives the distance of its farthest point, so that a caller can
// scale it into a canvas with a transparent margin.
#ifndef SAMPLES_ARTWORK_H
#define SAMPLES_ARTWORK_H

#include <vector>

#include "Raster.h"

std::vector<Shape> WaspDrawing();
std::vector<Shape> HornetDrawing();
std::vector<Shape> RockDrawing();
std::vector<Shape> CrateDrawing();
std::vector<Shape> StarDrawing();
std::vector<Shape> PlanetDrawing();
std::vector<Shape> AsteroidDrawing();

double Radius(const std::vector<Shape>& drawing);

#endif
