// webpframes RAY.sh SHEET.png ANIMATION.webp SCALE FPS: checks an animation
// rlspreview wrote against the contact sheet it wrote in the same run (plain
// background, one plain band). The animation is decoded with libwebp's
// demuxer; frame i must show, around its hot spot, exactly the pixels that
// the sheet shows around sprite i's hot spot (the sprite's bounds and a ring
// of background), every frame the same size, shown 1000 / FPS ms each.
// Exit 0 when all hold, 1 with the first difference, 2 when a file cannot be
// read.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <Vantrel/Fatal.h>
#include <Vantrel/Rls.h>
#include <Vantrel/ScreenGeometry.h>

#include "AnimationFrames.h"
#include "ContactSheet.h"
#include "PngFile.h"
#include "PreviewContent.h"
#include "WebpRead.h"

extern const int ProgramScreenWidth = kPreviewSurfaceSide;
extern const int ProgramScreenHeight = kPreviewSurfaceSide;

void ReportFatal(const char* text) {
    std::fprintf(stderr, "webpframes: %s\n", text);
    std::exit(2);
}

namespace {

const uint8_t* At(const RgbPicture& p, int64_t x, int64_t y) {
    if (x < 0 || y < 0 || x >= p.width || y >= p.height) return nullptr;
    return &p.rgb[(static_cast<size_t>(y) * p.width + static_cast<size_t>(x)) * 3];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: webpframes RAY.sh SHEET.png ANIMATION.webp SCALE FPS\n");
        return 2;
    }
    SelectProgramPixelMode();
    const int scale = std::atoi(argv[4]);
    const int fps = std::atoi(argv[5]);
    RlsRayPtr ray(LoadRlsRay(argv[1], ScreenWidth()));
    RgbPicture sheet;
    std::vector<RgbPicture> frames;
    std::vector<int> endTimes;
    if (!ReadPng(argv[2], sheet) || !ReadAnimatedWebp(argv[3], frames, endTimes)) {
        std::fprintf(stderr, "webpframes: cannot read the sheet or the animation\n");
        return 2;
    }
    // Where the sheet put each sprite, and where the animation puts them.
    std::vector<Pixel16> surface(static_cast<size_t>(ScreenWidth()) * ScreenHeight());
    const SheetResult placed = DrawContactSheet(surface.data(), RayContent(*ray), SheetStyle{});
    const AnimationLayout layout = LayoutAnimation(RaySprites(*ray));
    if (static_cast<int32_t>(frames.size()) != ray->count ||
        static_cast<int32_t>(placed.placed.size()) != ray->count) {
        std::fprintf(stderr, "webpframes: %zu frames, %zu cells, %d sprites\n", frames.size(),
                     placed.placed.size(), ray->count);
        return 1;
    }
    for (int32_t i = 0; i < ray->count; ++i) {
        const RgbPicture& frame = frames[i];
        if (frame.width != layout.width * scale || frame.height != layout.height * scale) {
            std::fprintf(stderr, "webpframes: frame %d is %dx%d\n", i, frame.width, frame.height);
            return 1;
        }
        if (endTimes[i] != static_cast<int>((i + 1) * 1000 / fps)) {
            std::fprintf(stderr, "webpframes: frame %d ends at %d ms\n", i, endTimes[i]);
            return 1;
        }
        const RLSprite& s = *ray->Get(i);
        const PlacedSprite& cell = placed.placed[i];
        for (int64_t y = int64_t{s.bounds.top} - 1; y <= s.bounds.bottom + 1; ++y)
            for (int64_t x = int64_t{s.bounds.left} - 1; x <= s.bounds.right + 1; ++x)
                for (int sy = 0; sy < scale; ++sy)
                    for (int sx = 0; sx < scale; ++sx) {
                        const uint8_t* a = At(frame, (layout.hotX + x) * scale + sx,
                                              (layout.hotY + y) * scale + sy);
                        const uint8_t* b =
                            At(sheet, (cell.hotX + x) * scale + sx, (cell.hotY + y) * scale + sy);
                        if (a == nullptr || b == nullptr || a[0] != b[0] || a[1] != b[1] ||
                            a[2] != b[2]) {
                            std::fprintf(stderr,
                                         "webpframes: frame %d differs from the sheet at %lld,%lld "
                                         "from the hot spot\n",
                                         i, static_cast<long long>(x), static_cast<long long>(y));
                            return 1;
                        }
                    }
    }
    // The ship turns: no two neighbouring frames alike.
    for (size_t i = 1; i < frames.size(); ++i)
        if (frames[i].rgb == frames[i - 1].rgb) {
            std::fprintf(stderr, "webpframes: frames %zu and %zu are alike\n", i - 1, i);
            return 1;
        }
    return 0;
}
