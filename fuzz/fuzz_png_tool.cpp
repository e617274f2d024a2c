// The tools' PNG reader and the refused-image diagnosis on arbitrary bytes.
// A broken file must come back as a status with a reason, never end the
// process or print anything; a picture that is read holds exactly
// width x height x 3 bytes. The pixel limit is kept small so that a header
// claiming a huge picture cannot exhaust the fuzzer's memory.
#include <cstdint>
#include <cstdlib>

#include "images/ImageDiagnosis.h"
#include "images/PngArt.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    PngReadLimits limits;
    limits.maxPixels = uint64_t{1} << 22;
    const PngReadResult png = DecodePng(data, size, limits);
    if (png.status == PngReadStatus::Read) {
        Require(png.picture.width >= 1 && png.picture.width <= kLargestPngSide);
        Require(png.picture.height >= 1 && png.picture.height <= kLargestPngSide);
        Require(png.picture.rgb.size() ==
                static_cast<size_t>(png.picture.width) * png.picture.height * 3);
        Require(png.reason.empty());
    } else {
        Require(!png.reason.empty());
        Require(png.picture.rgb.empty());
    }

    const ImageFault fault = DiagnoseImageBytes(data, size, size, "art.tga");
    Require((fault.kind == ImageFaultKind::None) == fault.reason.empty());
    Require(fault.kind == ImageFaultKind::None || !fault.remedy.empty());
    return 0;
}
