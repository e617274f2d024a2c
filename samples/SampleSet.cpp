#include "SampleSet.h"

#include <cstdio>
#include <functional>

#include <Vantrel/TgaWrite.h>

#include "Artwork.h"

namespace {

constexpr double kFrameStepDegrees = 360.0 / kShipFrameCount;
constexpr int kMargin = 3;

std::string FrameName(const char* prefix, const char* ship, int number) {
    char name[64];
    std::snprintf(name, sizeof name, "%s%s%02d.tga", prefix, ship, number);
    return name;
}

Canvas PaintPicture(const std::vector<Shape>& drawing, int width, int height, double degrees) {
    Placement placement;
    placement.pivot = {width / 2.0, height / 2.0};
    placement.degrees = degrees;
    placement.lightReach = Radius(drawing);
    return Paint(drawing, width, height, placement);
}

class SetWriter {
public:
    SetWriter(const std::string& folder, std::vector<std::string>& written, std::string& error)
        : folder_(folder), written_(written), error_(error) {}

    // Runs write on the file's full path; records the name or the failure.
    bool Write(const std::string& name, const std::function<bool(const std::string&)>& write) {
        const std::string path = folder_ + "/" + name;
        if (!write(path)) {
            error_ = "cannot write " + path;
            return false;
        }
        written_.push_back(name);
        return true;
    }

private:
    std::string folder_;
    std::vector<std::string>& written_;
    std::string& error_;
};

bool PaintWasp(SetWriter& out) {
    const std::vector<Shape> wasp = WaspDrawing();
    constexpr int kSize = 64;
    for (int i = 0; i < kShipFrameCount; ++i) {
        const Canvas frame = PaintShipFrame(wasp, kSize, i);
        // The fourth byte of a 32-bit pixel carries the coverage too; the
        // tools skip it and take the alpha image instead.
        const bool ok = out.Write(FrameName("", "wasp", i), [&](const std::string& path) {
            return WriteTgaFile(path.c_str(),
                                EncodeTgaRgb(kSize, kSize, frame.colour.data(),
                                             TgaRowOrder::BottomFirst, frame.coverage.data()));
        }) && out.Write(FrameName("a_", "wasp", i), [&](const std::string& path) {
            return WriteTgaFile(path.c_str(), EncodeTgaGrey(kSize, kSize, frame.coverage.data(),
                                                            TgaRowOrder::TopFirst));
        });
        if (!ok) return false;
    }
    return true;
}

bool PaintHornet(SetWriter& out) {
    const std::vector<Shape> hornet = HornetDrawing();
    constexpr int kSize = 48;
    for (int i = 0; i < kShipFrameCount; ++i) {
        const Canvas frame = PaintShipFrame(hornet, kSize, i);
        if (!out.Write(FrameName("", "hornet", i + 1), [&](const std::string& path) {
                return WriteTgaFile(path.c_str(), EncodeTgaRgb(kSize, kSize, frame.blended.data(),
                                                               TgaRowOrder::TopFirst));
            })) {
            return false;
        }
    }
    return true;
}

bool PaintPictures(SetWriter& out) {
    const Canvas rock = PaintPicture(RockDrawing(), 40, 34, 0);
    const Canvas crate = PaintPicture(CrateDrawing(), 32, 32, 12);
    const Canvas star = PaintPicture(StarDrawing(), 27, 27, 0);
    const Canvas planet = PaintPicture(PlanetDrawing(), 46, 44, -20);
    const Canvas asteroid = PaintPicture(AsteroidDrawing(), 30, 26, 30);
    const std::vector<uint8_t> asteroidGrey = GreyOf(asteroid.blended);
    return out.Write("rock.tga", [&](const std::string& p) {
        return WriteTgaFile(p.c_str(), EncodeTgaRgb(rock.width, rock.height, rock.blended.data(),
                                                    TgaRowOrder::BottomFirst));
    }) && out.Write("crate.tga", [&](const std::string& p) {
        return WriteTgaFile(p.c_str(), EncodeTgaRgb(crate.width, crate.height, crate.blended.data(),
                                                    TgaRowOrder::TopFirst));
    }) && out.Write("star.tga", [&](const std::string& p) {
        return WriteTgaFile(p.c_str(), EncodeTgaRgb(star.width, star.height, star.blended.data(),
                                                    TgaRowOrder::TopFirst, star.coverage.data()));
    }) && out.Write("planet.tga", [&](const std::string& p) {
        return WriteTgaFile(p.c_str(),
                            EncodeTgaRgb(planet.width, planet.height, planet.blended.data(),
                                         TgaRowOrder::BottomFirst));
    }) && out.Write("asteroid.tga", [&](const std::string& p) {
        return WriteTgaFile(p.c_str(),
                            EncodeTgaGrey(asteroid.width, asteroid.height, asteroidGrey.data(),
                                          TgaRowOrder::BottomFirst));
    });
}

}  // namespace

Canvas PaintShipFrame(const std::vector<Shape>& drawing, int size, int frameIndex) {
    Placement placement;
    // The tools anchor a frame at the pixel (size / 2 - 1, size / 2 - 1): turn
    // about that pixel's centre so the ship does not wobble between frames.
    placement.pivot = {size / 2 - 0.5, size / 2 - 0.5};
    const double radius = Radius(drawing);
    placement.scale = (size / 2.0 - kMargin) / radius;
    placement.degrees = frameIndex * kFrameStepDegrees;
    placement.lightReach = radius * placement.scale;
    return Paint(drawing, size, size, placement);
}

bool PaintSampleSet(const std::string& folder, std::vector<std::string>& written,
                    std::string& error) {
    SetWriter out(folder, written, error);
    return PaintWasp(out) && PaintHornet(out) && PaintPictures(out);
}
