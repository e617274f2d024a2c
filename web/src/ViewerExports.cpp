// The functions the page calls in the module (viewer.js uses them, in this
// order: vt_start once; vt_name, then vt_open for each file; then any of the
// drawings). One file is open at a time. Each drawing leaves its picture in
// one RGBA image, 4 bytes a pixel, rows top to bottom, that the page copies
// onto a canvas. Texts are returned zero-terminated, in UTF-8.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <Vantrel/Pixel.h>
#include <Vantrel/Random.h>
#include <Vantrel/ScreenGeometry.h>

#include "AnimationFrames.h"
#include "ContactSheet.h"
#include "OpenFile.h"
#include "PageProgram.h"
#include "PreviewContent.h"
#include "RgbPicture.h"
#include "SpriteView.h"

namespace {

// rlspreview's default seed, so the holes fall where its sheet has them.
constexpr uint32_t kHolesSeed = 1963;
// A sprite view enlarged past this many pixels a side is shown at a smaller
// scale: a canvas that large would take the page's memory for nothing.
constexpr int32_t kLargestViewSide = 4096;

// The sheet's options, as rlspreview's flags.
constexpr int kSheetHoles = 1, kSheetTranslucent = 2, kSheetAdditive = 4, kSheetHotSpot = 8,
              kSheetBounds = 16, kSheetPlainBackground = 32;
// The sprite view's marks.
constexpr int kViewHotSpot = 1, kViewBounds = 2;

std::vector<Pixel16>& Surface() {
    static std::vector<Pixel16> surface(static_cast<size_t>(ScreenWidth()) * ScreenHeight());
    return surface;
}

std::string name;
std::unique_ptr<OpenFile> opened;
std::vector<uint8_t> image;
int32_t imageWidth = 0, imageHeight = 0;
std::vector<uint8_t> pictureRgba;
BackdropPicture picture;

Pixel16 ActiveColour(uint32_t rgb) {
    return ConvertFrom565(RgbTo565(static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 255),
                                   static_cast<int>(rgb & 255)));
}

void KeepImage(const RgbPicture& picture) {
    imageWidth = picture.width;
    imageHeight = picture.height;
    image.resize(static_cast<size_t>(picture.width) * picture.height * 4);
    for (size_t i = 0, o = 0; i < picture.rgb.size(); i += 3, o += 4) {
        image[o] = picture.rgb[i];
        image[o + 1] = picture.rgb[i + 1];
        image[o + 2] = picture.rgb[i + 2];
        image[o + 3] = 255;
    }
}

const RlsRay* RayAt(int32_t r) {
    if (!opened || r < 0 || r >= static_cast<int32_t>(opened->rays.size())) return nullptr;
    return opened->rays[static_cast<size_t>(r)];
}

}  // namespace

extern "C" {

[[clang::export_name("vt_start")]] void vt_start() {
    SelectProgramPixelMode();
}

// Room for a file name of size bytes and its zero.
[[clang::export_name("vt_name")]] char* vt_name(uint32_t size) {
    name.assign(size, '\0');
    return name.data();
}

// Reports on the named file of the page's file system and, when it is
// valid, loads it for drawing: 1 valid, 0 invalid.
[[clang::export_name("vt_open")]] int vt_open() {
    opened.reset();
    auto file = std::make_unique<OpenFile>();
    const bool valid = OpenSpriteFile(name.c_str(), *file);
    opened = std::move(file);
    return valid ? 1 : 0;
}

[[clang::export_name("vt_json")]] const char* vt_json() {
    return opened ? opened->json.c_str() : "";
}

[[clang::export_name("vt_text")]] const char* vt_text() {
    return opened ? opened->text.c_str() : "";
}

[[clang::export_name("vt_reason")]] const char* vt_reason() {
    return opened ? opened->reason.c_str() : "";
}

[[clang::export_name("vt_fatal_text")]] const char* vt_fatal_text() {
    return LastFatalText();
}

// Draws the open file's sheet as rlspreview does with the flags' options
// (background: 0xRRGGBB, for kSheetPlainBackground). Returns the number of
// sprites left out for want of room, -1 when no valid file is open.
[[clang::export_name("vt_sheet")]] int vt_sheet(int flags, uint32_t background) {
    if (!opened || !opened->report.valid) return -1;
    SheetStyle style;
    if (flags & kSheetHoles) style.modes.push_back(DrawMode::kHoles);
    if (flags & kSheetTranslucent) style.modes.push_back(DrawMode::kTranslucent);
    if (flags & kSheetAdditive) style.modes.push_back(DrawMode::kAdditive);
    style.hotSpot = (flags & kSheetHotSpot) != 0;
    style.bounds = (flags & kSheetBounds) != 0;
    if (flags & kSheetPlainBackground) {
        style.checkered = false;
        style.background = ActiveColour(background);
    }
    SetRandomSeed(kHolesSeed);
    const SheetResult sheet = DrawContactSheet(Surface().data(), opened->content, style);
    KeepImage(SurfaceToPicture(Surface().data(), ScreenWidth(), 0, 0, sheet.width, sheet.height));
    return sheet.left_out;
}

// The distinct rays of the open file, and the sprites of one.
[[clang::export_name("vt_ray_count")]] int vt_ray_count() {
    return opened ? static_cast<int>(opened->rays.size()) : 0;
}

[[clang::export_name("vt_ray_sprites")]] int vt_ray_sprites(int ray) {
    const RlsRay* r = RayAt(ray);
    return r != nullptr ? r->count : 0;
}

// Room for the RGBA pixels of a picture backdrop; vt_picture_done takes them.
[[clang::export_name("vt_picture")]] uint8_t* vt_picture(int32_t width, int32_t height) {
    picture = {};
    if (width < 1 || height < 1 || width > kLargestViewSide || height > kLargestViewSide)
        return nullptr;
    picture.width = width;
    picture.height = height;
    pictureRgba.assign(static_cast<size_t>(width) * height * 4, 0);
    return pictureRgba.data();
}

[[clang::export_name("vt_picture_done")]] void vt_picture_done() {
    picture.pixels.resize(pictureRgba.size() / 4);
    for (size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = ConvertFrom565(
            RgbTo565(pictureRgba[i * 4], pictureRgba[i * 4 + 1], pictureRgba[i * 4 + 2]));
}

// Draws sprite `index` of ray `ray` on the ray's animation canvas: mode 0..3
// (opaque, holes, translucent, additive), backdrop 0..3 (light checkers,
// dark checkers, the colour 0xRRGGBB, the picture), marks as flags, enlarged
// scale times (1 to 8). Returns the scale used, smaller than asked when the
// picture would be too large, 0 when the ray's sprites do not fit one canvas.
[[clang::export_name("vt_view")]] int vt_view(int ray, int index, int mode, int backdrop,
                                              uint32_t colour, int marks, int scale) {
    const RlsRay* r = RayAt(ray);
    if (r == nullptr) return 0;
    const AnimationLayout layout = LayoutAnimation(RaySprites(*r));
    if (layout.width < 1 || layout.width > ScreenWidth() || layout.height > ScreenHeight())
        return 0;
    ViewStyle style;
    style.mode = static_cast<DrawMode>(std::clamp(mode, 0, 3));
    style.backdrop = static_cast<ViewBackdrop>(std::clamp(backdrop, 0, 3));
    style.colour = ActiveColour(colour);
    style.picture = &picture;
    style.hotSpot = (marks & kViewHotSpot) != 0;
    style.bounds = (marks & kViewBounds) != 0;
    SetRandomSeed(kHolesSeed);
    const int fit = std::max(1, kLargestViewSide / std::max(layout.width, layout.height));
    const int used = std::clamp(std::min(scale, fit), 1, 8);
    KeepImage(ScalePicture(DrawSpriteView(Surface().data(), r->Get(index), layout, style), used));
    return used;
}

[[clang::export_name("vt_image")]] const uint8_t* vt_image() {
    return image.data();
}

[[clang::export_name("vt_image_width")]] int32_t vt_image_width() {
    return imageWidth;
}

[[clang::export_name("vt_image_height")]] int32_t vt_image_height() {
    return imageHeight;
}

}  // extern "C"
