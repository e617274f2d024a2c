#include "FrameArt.h"

#include <Vantrel/RLSpriteEncode.h>
#include <Vantrel/ScreenGeometry.h>

#include "Artwork.h"
#include "frames/FrameAnalysis.h"
#include "SampleSet.h"
#include "frames/FramePixelRules.h"

namespace {

constexpr int kMargin = 3;

Canvas PaintLook(int look, int size) {
    if (look < kShipLooks) return PaintShipFrame(WaspDrawing(), size, look);
    using Drawing = std::vector<Shape> (*)();
    static const Drawing kPictures[] = {RockDrawing, CrateDrawing, StarDrawing, PlanetDrawing,
                                        AsteroidDrawing};
    const std::vector<Shape> drawing = kPictures[look - kShipLooks]();
    Placement placement;
    placement.pivot = {size / 2 - 0.5, size / 2 - 0.5};
    const double radius = Radius(drawing);
    placement.scale = (size / 2.0 - kMargin) / radius;
    placement.lightReach = radius * placement.scale;
    return Paint(drawing, size, size, placement);
}

// Grey RGB image of a coverage plane, as the tools read an alpha image.
std::vector<uint8_t> GreyRgb(const std::vector<uint8_t>& coverage) {
    std::vector<uint8_t> rgb(coverage.size() * 3);
    for (size_t i = 0; i < coverage.size(); ++i)
        rgb[3 * i] = rgb[3 * i + 1] = rgb[3 * i + 2] = coverage[i];
    return rgb;
}

}  // namespace

ArtSprite::~ArtSprite() {
    ReleaseRLSpriteData(sprite);
    ReleaseRLSpriteData(runsOnly);
}

std::unique_ptr<ArtSprite> MakeArtSprite(int look, int size) {
    const Canvas canvas = PaintLook(look, size);
    const bool ship = look < kShipLooks;
    std::vector<uint8_t> main = ship ? canvas.colour : canvas.blended;
    std::vector<uint8_t> alpha = ship ? GreyRgb(canvas.coverage) : std::vector<uint8_t>{};

    FrameRules rules;
    rules.main = FrameImage{main.data(), size, size};
    if (ship) rules.alpha = FrameImage{alpha.data(), size, size};
    rules.feather = ship;
    const Rect area = FindFrameBounds(rules);

    auto art = std::make_unique<ArtSprite>();
    art->width = area.right - area.left + 1;
    art->height = area.bottom - area.top + 1;
    art->image.assign(static_cast<size_t>(art->width) * art->height, 0);
    art->runImage = art->image;
    for (int32_t y = area.top; y <= area.bottom; ++y)
        for (int32_t x = area.left; x <= area.right; ++x) {
            const uint32_t code = ClassifyPixel(rules, x, y);
            const uint8_t kind = PixelCodeKind(code);
            const size_t at = static_cast<size_t>(y - area.top) * art->width + (x - area.left);
            if (kind == kRunPixel) {
                art->image[at] = art->runImage[at] = ConvertFrom565(PixelCodeValue(code));
                ++art->runPixels;
            } else if (IsEdgePixelKind(kind)) {
                Pixel16 colour = 0;
                FeatherLevel(PixelCodeValue(code), EdgeKindBrightness(kind), colour);
                art->image[at] = ConvertFrom565(colour);
                ++art->edgePixels;
            }
        }

    // The runs-only twin is encoded and bound on its own, so that whatever
    // binding derives from the edge records is derived without them.
    const int32_t cx = ship ? size / 2 - 1 : (area.left + area.right) / 2;
    const int32_t cy = ship ? size / 2 - 1 : (area.top + area.bottom) / 2;
    for (RLSprite* sprite : {&art->sprite, &art->runsOnly}) {
        EncodeFrame(rules, area, *sprite);
        if (sprite == &art->runsOnly) sprite->edgeWordCount = 0;
        AnchorRLSprite(*sprite, area, cx, cy);
        BindRLSprite(sprite, ScreenWidth());
    }
    return art;
}
