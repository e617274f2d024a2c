#include "WebpAnimation.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <fstream>
#include <memory>

namespace {

struct EncoderDeleter {
    void operator()(WebPAnimEncoder* encoder) const { WebPAnimEncoderDelete(encoder); }
};

// Adds one frame shown from time `at`.
bool AddFrame(WebPAnimEncoder* encoder, const RgbPicture& frame, int at, const WebPConfig& config) {
    WebPPicture picture;
    if (!WebPPictureInit(&picture)) return false;
    picture.use_argb = 1;
    picture.width = frame.width;
    picture.height = frame.height;
    bool ok = WebPPictureImportRGB(&picture, frame.rgb.data(), frame.width * 3) != 0 &&
              WebPAnimEncoderAdd(encoder, &picture, at, &config) != 0;
    WebPPictureFree(&picture);
    return ok;
}

}  // namespace

bool WriteAnimatedWebp(const std::string& path, const std::vector<RgbPicture>& frames, int fps) {
    if (frames.empty() || fps < 1) return false;
    const int width = frames[0].width, height = frames[0].height;
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options)) return false;
    options.anim_params.loop_count = 0;  // forever
    options.allow_mixed = 0;             // every frame lossless
    std::unique_ptr<WebPAnimEncoder, EncoderDeleter> encoder(
        WebPAnimEncoderNew(width, height, &options));
    WebPConfig config;
    if (!encoder || !WebPConfigInit(&config)) return false;
    config.lossless = 1;
    config.exact = 1;
    for (size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].width != width || frames[i].height != height) return false;
        if (!AddFrame(encoder.get(), frames[i], static_cast<int>(i * 1000 / fps), config))
            return false;
    }
    const int end = static_cast<int>(frames.size() * 1000 / fps);
    if (!WebPAnimEncoderAdd(encoder.get(), nullptr, end, nullptr)) return false;
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAssemble(encoder.get(), &data)) return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.bytes), static_cast<std::streamsize>(data.size));
    WebPDataClear(&data);
    out.close();
    return static_cast<bool>(out);
}
