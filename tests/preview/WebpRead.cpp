#include "WebpRead.h"

#include <webp/demux.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

struct DecoderDeleter {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

}  // namespace

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
