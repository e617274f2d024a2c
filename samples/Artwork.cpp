#include "Artwork.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr Colour kHull{150, 160, 182};
constexpr Colour kWing{108, 124, 152};
constexpr Colour kStripe{206, 44, 40};
constexpr Colour kCanopy{96, 204, 242};
constexpr Colour kFlame{255, 164, 44};

// An irregular blob: radius factors around a circle, first point straight up.
std::vector<Point2> Blob(Point2 centre, double radius, const std::vector<double>& factors) {
    std::vector<Point2> points;
    const double step = 2 * std::numbers::pi / static_cast<double>(factors.size());
    for (size_t i = 0; i < factors.size(); ++i) {
        const double angle = step * static_cast<double>(i);
        points.push_back({centre.x + std::sin(angle) * radius * factors[i],
                          centre.y - std::cos(angle) * radius * factors[i]});
    }
    return points;
}

}  // namespace

std::vector<Shape> WaspDrawing() {
    std::vector<Shape> d;
    d.push_back(MakeEllipse({0, 24}, {3.5, 4.5}, kFlame));
    const Shape wing = MakePolygon({{5, -4}, {28, 10}, {28, 16}, {5, 12}}, kWing);
    d.push_back(wing);
    d.push_back(MirrorX(wing));
    const Shape stripe = MakePolygon({{20, 6}, {23, 7.8}, {23, 14.8}, {20, 14.3}}, kStripe);
    d.push_back(stripe);
    d.push_back(MirrorX(stripe));
    const Shape fin = MakePolygon({{3, 13}, {11, 24}, {3, 21}}, kWing);
    d.push_back(fin);
    d.push_back(MirrorX(fin));
    d.push_back(
        MakePolygon({{0, -30}, {5, -16}, {6, 8}, {4, 22}, {-4, 22}, {-6, 8}, {-5, -16}}, kHull));
    d.push_back(MakeEllipse({0, -12}, {2.6, 6}, kCanopy));
    return d;
}

std::vector<Shape> HornetDrawing() {
    std::vector<Shape> d;
    const Shape engine = MakeEllipse({5, 14}, {2.5, 3.5}, {255, 92, 40});
    d.push_back(engine);
    d.push_back(MirrorX(engine));
    d.push_back(MakePolygon({{0, -26}, {22, 18}, {0, 12}, {-22, 18}}, {172, 182, 64}));
    d.push_back(MakePolygon({{0, -14}, {10, 10}, {0, 6}, {-10, 10}}, {120, 132, 44}));
    d.push_back(MakeEllipse({0, -6}, {3, 6}, {220, 232, 255}));
    return d;
}

std::vector<Shape> RockDrawing() {
    std::vector<Shape> d;
    d.push_back(MakePolygon(
        Blob({0, 0}, 15, {1.0, 0.85, 1.05, 0.9, 0.8, 1.0, 0.92, 0.75, 1.0, 0.88, 1.02, 0.8}),
        {142, 102, 70}));
    d.push_back(MakeEllipse({-4, -3}, {4, 3}, {104, 74, 52}));
    d.push_back(MakeEllipse({5, 5}, {2.5, 2}, {104, 74, 52}));
    return d;
}

std::vector<Shape> CrateDrawing() {
    std::vector<Shape> d;
    d.push_back(MakePolygon({{-13, -13}, {13, -13}, {13, 13}, {-13, 13}}, {122, 82, 40}));
    d.push_back(MakePolygon({{-10, -10}, {10, -10}, {10, 10}, {-10, 10}}, {184, 134, 72}));
    d.push_back(MakePolygon({{-10, -7}, {-7, -10}, {10, 7}, {7, 10}}, {122, 82, 40}));
    return d;
}

std::vector<Shape> StarDrawing() {
    std::vector<Point2> points;
    for (int i = 0; i < 10; ++i) {
        const double angle = std::numbers::pi * i / 5;
        const double radius = i % 2 == 0 ? 12 : 5;
        points.push_back({std::sin(angle) * radius, -std::cos(angle) * radius});
    }
    std::vector<Shape> d;
    d.push_back(MakePolygon(points, {255, 218, 60}));
    d.push_back(MakeEllipse({0, 0}, {3, 3}, {255, 250, 206}));
    return d;
}

std::vector<Shape> PlanetDrawing() {
    std::vector<Shape> d;
    d.push_back(MakeEllipse({0, 0}, {19, 19}, {60, 110, 212}));
    d.push_back(MakePolygon({{-12, -8}, {-4, -12}, {2, -6}, {-2, 2}, {-10, 4}}, {72, 152, 72}));
    d.push_back(MakePolygon({{4, 4}, {12, 2}, {14, 9}, {6, 14}}, {72, 152, 72}));
    d.push_back(MakeEllipse({0, -17}, {7, 2.5}, {236, 242, 250}));
    return d;
}

std::vector<Shape> AsteroidDrawing() {
    std::vector<Shape> d;
    d.push_back(MakePolygon(Blob({0, 0}, 11, {1.0, 0.8, 1.1, 0.95, 0.7, 1.0, 0.9, 1.05, 0.85}),
                            {152, 152, 152}));
    d.push_back(MakeEllipse({3, -2}, {3, 2.5}, {96, 96, 96}));
    d.push_back(MakeEllipse({-4, 4}, {2, 2}, {110, 110, 110}));
    return d;
}

double Radius(const std::vector<Shape>& drawing) {
    double radius = 0;
    for (const Shape& s : drawing) {
        if (s.kind == Shape::Kind::Polygon) {
            for (const Point2& p : s.points) radius = std::max(radius, std::hypot(p.x, p.y));
        } else {
            radius = std::max(radius,
                              std::hypot(s.centre.x, s.centre.y) + std::max(s.radii.x, s.radii.y));
        }
    }
    return radius;
}
