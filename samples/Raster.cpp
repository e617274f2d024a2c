#include "Raster.h"

#include <algorithm>
#include <cmath>
#include <numbers>

Shape MakePolygon(std::vector<Point2> points, Colour colour) {
    return Shape{Shape::Kind::Polygon, std::move(points), {0, 0}, {0, 0}, colour};
}

Shape MakeEllipse(Point2 centre, Point2 radii, Colour colour) {
    return Shape{Shape::Kind::Ellipse, {}, centre, radii, colour};
}

Shape MirrorX(const Shape& shape) {
    Shape mirrored = shape;
    for (Point2& p : mirrored.points) p.x = -p.x;
    std::reverse(mirrored.points.begin(), mirrored.points.end());
    mirrored.centre.x = -mirrored.centre.x;
    return mirrored;
}

namespace {

// Even-odd crossing test.
bool InsidePolygon(const std::vector<Point2>& points, Point2 p) {
    bool inside = false;
    const size_t n = points.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point2 a = points[i];
        const Point2 b = points[j];
        if ((a.y > p.y) != (b.y > p.y)) {
            const double crossX = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (p.x < crossX) inside = !inside;
        }
    }
    return inside;
}

bool Inside(const Shape& shape, Point2 p) {
    if (shape.kind == Shape::Kind::Polygon) return InsidePolygon(shape.points, p);
    const double dx = (p.x - shape.centre.x) / shape.radii.x;
    const double dy = (p.y - shape.centre.y) / shape.radii.y;
    return dx * dx + dy * dy <= 1.0;
}

const Shape* TopShapeAt(const std::vector<Shape>& drawing, Point2 p) {
    for (auto it = drawing.rbegin(); it != drawing.rend(); ++it) {
        if (Inside(*it, p)) return &*it;
    }
    return nullptr;
}

uint8_t ToByte(double value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

Canvas Paint(const std::vector<Shape>& drawing, int width, int height, const Placement& placement,
             int samplesPerAxis) {
    Canvas canvas;
    canvas.width = width;
    canvas.height = height;
    const size_t pixels = static_cast<size_t>(width) * height;
    canvas.coverage.assign(pixels, 0);
    canvas.colour.assign(pixels * 3, 0);
    canvas.blended.assign(pixels * 3, 0);

    const double radians = placement.degrees * std::numbers::pi / 180.0;
    const double cosA = std::cos(radians);
    const double sinA = std::sin(radians);
    const int samples = samplesPerAxis * samplesPerAxis;

    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double sum[3] = {0, 0, 0};
            int hits = 0;
            for (int j = 0; j < samplesPerAxis; ++j) {
                for (int i = 0; i < samplesPerAxis; ++i) {
                    // Canvas offset of the sample from the pivot (y grows downwards).
                    const double dx = x + (i + 0.5) / samplesPerAxis - placement.pivot.x;
                    const double dy = y + (j + 0.5) / samplesPerAxis - placement.pivot.y;
                    // Undo the clockwise rotation, then the scale.
                    const Point2 local{(cosA * dx + sinA * dy) / placement.scale,
                                       (-sinA * dx + cosA * dy) / placement.scale};
                    const Shape* shape = TopShapeAt(drawing, local);
                    if (shape == nullptr) continue;
                    // Light from the upper left of the canvas, whatever the rotation.
                    const double toward = -(dx + dy) / (placement.lightReach * std::numbers::sqrt2);
                    const double light = 1.0 + 0.3 * std::clamp(toward, -1.0, 1.0);
                    sum[0] += shape->colour.r * light;
                    sum[1] += shape->colour.g * light;
                    sum[2] += shape->colour.b * light;
                    ++hits;
                }
            }
            if (hits == 0) continue;
            const size_t p = static_cast<size_t>(y) * width + x;
            canvas.coverage[p] = ToByte(255.0 * hits / samples);
            for (int c = 0; c < 3; ++c) {
                // Art never holds pure black: black is the transparent colour.
                canvas.colour[p * 3 + c] = std::max<uint8_t>(ToByte(sum[c] / hits), 12);
                canvas.blended[p * 3 + c] = ToByte(sum[c] / samples);
            }
            if (canvas.blended[p * 3] == 0 && canvas.blended[p * 3 + 1] == 0 &&
                canvas.blended[p * 3 + 2] == 0) {
                // A sliver of coverage still shows: keep it out of the key colour.
                canvas.blended[p * 3 + 2] = 1;
            }
        }
    }
    return canvas;
}

std::vector<uint8_t> GreyOf(const std::vector<uint8_t>& rgb) {
    std::vector<uint8_t> grey(rgb.size() / 3);
    for (size_t p = 0; p < grey.size(); ++p) {
        grey[p] = static_cast<uint8_t>((rgb[p * 3] + rgb[p * 3 + 1] + rgb[p * 3 + 2]) / 3);
    }
    return grey;
}
