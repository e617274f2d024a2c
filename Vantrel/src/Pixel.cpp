#include <Vantrel/Pixel.h>

#include <mutex>

PixelModeRecord PixelMode;
Pixel16 StandardColours[kStandardColourCount];
uint8_t ClampTable4[32];
uint8_t ClampTable5[64];
uint8_t ClampTable6[128];
std::atomic<uint8_t> BlendTablesPending{1};

namespace {

struct Rgb {
    int r, g, b;
};

constexpr Rgb kStandardRgb[kStandardColourCount] = {
    {255, 255, 255}, {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128},   {0, 128, 128},   {255, 0, 0},     {0, 255, 0},     {255, 255, 0},
    {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {192, 192, 192}, {128, 128, 128},
    {80, 80, 80},    {224, 216, 168}, {224, 136, 80},  {152, 96, 64},   {208, 176, 160},
    {32, 32, 32},    {56, 56, 56},    {152, 128, 120},
};

uint32_t FieldMask(int bits, int shift) {
    if (bits <= 0) return 0;
    return ((1u << bits) - 1u) << shift;
}

// Brings a channel value of sourceBits to targetBits: widened by shifting left,
// narrowed by dropping low bits.
uint32_t Rescale(uint32_t value, int sourceBits, int targetBits) {
    if (targetBits > sourceBits) return value << (targetBits - sourceBits);
    if (targetBits < sourceBits) return value >> (sourceBits - targetBits);
    return value;
}

uint32_t ChannelTo8(Pixel16 p, uint32_t mask, int shift, int bits) {
    int s = shift - (8 - bits);
    uint32_t field = p & mask;
    return s >= 0 ? field >> s : field << -s;
}

}  // namespace

uint16_t SetPixelMode565() {
    PixelMode.redBits = 5;
    PixelMode.greenBits = 6;
    PixelMode.blueBits = 5;
    PixelMode.redShift = 11;
    PixelMode.greenShift = 5;
    PixelMode.blueShift = 0;
    return 565;
}

void SelectProgramPixelMode() {
    PixelMode.modeCode = static_cast<int16_t>(SetPixelMode565());
    InitStandardColours();
}

bool SelectPixelLayout(int redBits, int redShift, int greenBits, int greenShift, int blueBits,
                       int blueShift) {
    const int bits[3] = {redBits, greenBits, blueBits};
    const int shifts[3] = {redShift, greenShift, blueShift};
    uint32_t used = 0;
    for (int c = 0; c < 3; ++c) {
        if (bits[c] < 1 || shifts[c] < 0 || bits[c] + shifts[c] > 16) return false;
        uint32_t field = FieldMask(bits[c], shifts[c]);
        if ((used & field) != 0) return false;
        used |= field;
    }
    PixelMode.redBits = redBits;
    PixelMode.greenBits = greenBits;
    PixelMode.blueBits = blueBits;
    PixelMode.redShift = redShift;
    PixelMode.greenShift = greenShift;
    PixelMode.blueShift = blueShift;
    PixelMode.redMask = FieldMask(redBits, redShift);
    PixelMode.greenMask = FieldMask(greenBits, greenShift);
    PixelMode.blueMask = FieldMask(blueBits, blueShift);
    PixelMode.modeCode = 0;
    if (redBits == 5 && redShift == 11 && greenBits == 6 && greenShift == 5 && blueBits == 5 &&
        blueShift == 0)
        PixelMode.modeCode = 565;
    if (redBits == 5 && redShift == 10 && greenBits == 5 && greenShift == 5 && blueBits == 5 &&
        blueShift == 0)
        PixelMode.modeCode = 555;
    InitStandardColours();
    return true;
}

void SelectPixelLayout565() {
    SelectPixelLayout(5, 11, 6, 5, 5, 0);
}
void SelectPixelLayout555() {
    SelectPixelLayout(5, 10, 5, 5, 5, 0);
}

void ResetPixelMode() {
    PixelMode = PixelModeRecord{};
    for (Pixel16& c : StandardColours) c = 0;
    BlendTablesPending = 1;
}

Pixel16 RgbTo565(int r, int g, int b) {
    return static_cast<Pixel16>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

Pixel16 RgbTo565NonBlack(int r, int g, int b) {
    Pixel16 p = RgbTo565(r, g, b);
    if (p == 0 && (r != 0 || g != 0 || b != 0)) {
        p = static_cast<Pixel16>((r != 0 ? 1 << 11 : 0) | (g != 0 ? 1 << 5 : 0) | (b != 0 ? 1 : 0));
    }
    return p;
}

Pixel16 ConvertFrom565(Pixel16 p) {
    switch (PixelMode.modeCode) {
        case 565:
            return p;
        case 555:
            return static_cast<Pixel16>(((p >> 1) & 0x7FE0) | (p & 0x1F));
        default: {
            uint32_t r = Rescale(p >> 11, 5, PixelMode.redBits);
            uint32_t g = Rescale((p >> 5) & 0x3F, 6, PixelMode.greenBits);
            uint32_t b = Rescale(p & 0x1F, 5, PixelMode.blueBits);
            return static_cast<Pixel16>((r << PixelMode.redShift) | (g << PixelMode.greenShift) |
                                        (b << PixelMode.blueShift));
        }
    }
}

void PixelToRgb(Pixel16 p, int32_t& r, int32_t& g, int32_t& b) {
    r = static_cast<int32_t>(
        ChannelTo8(p, PixelMode.redMask, PixelMode.redShift, PixelMode.redBits));
    g = static_cast<int32_t>(
        ChannelTo8(p, PixelMode.greenMask, PixelMode.greenShift, PixelMode.greenBits));
    b = static_cast<int32_t>(
        ChannelTo8(p, PixelMode.blueMask, PixelMode.blueShift, PixelMode.blueBits));
}

void InitStandardColours() {
    for (int k = 0; k < kStandardColourCount; ++k) {
        const Rgb& c = kStandardRgb[k];
        StandardColours[k] = ConvertFrom565(RgbTo565(c.r, c.g, c.b));
    }
}

void InitBlendTables() {
    static std::mutex building;
    const std::lock_guard<std::mutex> lock(building);
    if (BlendTablesPending.load(std::memory_order_acquire) == 0) return;
    for (int i = 0; i < 32; ++i) ClampTable4[i] = static_cast<uint8_t>(i < 15 ? i : 15);
    for (int i = 0; i < 64; ++i) ClampTable5[i] = static_cast<uint8_t>(i < 31 ? i : 31);
    for (int i = 0; i < 128; ++i) ClampTable6[i] = static_cast<uint8_t>(i < 63 ? i : 63);
    BlendTablesPending.store(0, std::memory_order_release);
}
