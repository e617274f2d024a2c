// A small anti-aliasing rasterizer for the sample art.
//
// A drawing is a list of filled shapes (polygons and ellipses) in its own
// coordinates, later shapes covering earlier ones. Paint() places the drawing
// on a canvas (scaled, rotated clockwise about a pivot) and samples every pixel
// on an n x n grid: the pixel's coverage is the share of samples that hit a
// shape, its colour the average colour of the samples that hit. A soft light
// from the canvas's upper left shades every shape, the same in every rotation.
#ifndef SAMPLES_RASTER_H
#define SAMPLES_RASTER_H

#include <cstdint>
#include <vector>

struct Point2 {
    double x;
    double y;
};

struct Colour {
    int r;
    int g;
    int b;
};

struct Shape {
    enum class Kind { Polygon, Ellipse } kind;
    std::vector<Point2> points;  // polygon corners, in order
    Point2 centre;               // ellipse
    Point2 radii;                // ellipse
    Colour colour;
};

Shape MakePolygon(std::vector<Point2> points, Colour colour);
Shape MakeEllipse(Point2 centre, Point2 radii, Colour colour);
// Adds the polygon mirrored at the drawing's vertical axis (x -> -x).
Shape MirrorX(const Shape& shape);

struct Placement {
    Point2 pivot;             // canvas position of the drawing's origin
    double scale = 1.0;       // canvas pixels per drawing unit
    double degrees = 0.0;     // clockwise rotation on the canvas
    double lightReach = 1.0;  // canvas distance over which the light fades
};

// Canvas: rows from top to bottom, no padding.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage;  // 0 .. 255 per pixel; 255 = fully covered
    std::vector<uint8_t> colour;    // R, G, B: the covered part's own colour, 0 where uncovered
    std::vector<uint8_t> blended;   // R, G, B: colour times coverage, as over black
};

Canvas Paint(const std::vector<Shape>& drawing, int width, int height, const Placement& placement,
             int samplesPerAxis = 4);

// The canvas's colour as one grey byte per pixel (the channels' average).
std::vector<uint8_t> GreyOf(const std::vector<uint8_t>& rgb);

#endif
