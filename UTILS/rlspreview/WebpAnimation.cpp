#include "WebpAnimation.h"

#include <webp/demux.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <fstream>
#include <iterator>
#include <memory>

namespace {

struct EncoderDeleter {
    void operator()(WebPAnimEncoder* encoder) const { WebPAnimEncoderDelete(encoder); }
};
struct DecoderDeleter {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
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

bool ReadAnimatedWebp(const std::string& path, std::vector<RgbPicture>& frames,
                      std::vector<int>& endTimes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    WebPData data{bytes.data(), bytes.size()};
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) return false;
    options.color_mode = MODE_RGBA;
    std::unique_ptr<WebPAnimDecoder, DecoderDeleter> decoder(WebPAnimDecoderNew(&data, &options));
    WebPAnimInfo info;
    if (!decoder || !WebPAnimDecoderGetInfo(decoder.get(), &info)) return false;
    while (WebPAnimDecoderHasMoreFrames(decoder.get())) {
        uint8_t* rgba = nullptr;
        int time = 0;
        if (!WebPAnimDecoderGetNext(decoder.get(), &rgba, &time)) return false;
        RgbPicture frame;
        frame.width = static_cast<int32_t>(info.canvas_width);
        frame.height = static_cast<int32_t>(info.canvas_height);
        frame.rgb.resize(static_cast<size_t>(frame.width) * frame.height * 3);
        for (size_t p = 0; p < static_cast<size_t>(frame.width) * frame.height; ++p)
            for (int c = 0; c < 3; ++c) frame.rgb[p * 3 + c] = rgba[p * 4 + c];
        frames.push_back(std::move(frame));
        endTimes.push_back(time);
    }
    return true;
}
