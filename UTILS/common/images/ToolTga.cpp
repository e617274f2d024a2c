#include "images/ToolTga.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <Vantrel/ByteIO.h>
#include <Vantrel/DebugAlloc.h>
#include <Vantrel/Fatal.h>
#include <Vantrel/Tga.h>
#include "images/ImageDiagnosis.h"
#include "images/PngArt.h"
#include "images/ImageNames.h"

int32_t ImageWidth = 0;
int32_t ImageHeight = 0;
int32_t ImageBytesPerPixel = 0;

namespace {

constexpr const char* kDefaultSource = "UTILS\\common\\ToolTga";

uint8_t* slots[2] = {nullptr, nullptr};
const char* source = kDefaultSource;

uint8_t*& SlotOf(int alternate) {
    return slots[alternate != 0 ? 1 : 0];
}

// A PNG image into the slot; a broken one ends the program with libpng's reason.
uint8_t* ReadToolPng(std::FILE* stream, const char* path, int alternate) {
    PngReadResult png = ReadPngStream(stream);
    if (png.status != PngReadStatus::Read) {
        const std::string remedy = png.status == PngReadStatus::TooLarge
                                       ? "crop the artwork or split it into smaller images"
                                       : "export it again as PNG";
        const std::string text = "Can't load " + std::string(path) + ": " + png.reason +
                                 (png.status == PngReadStatus::Unsupported ? "" : "; " + remedy);
        ReportFatal(text.c_str());
    }
    uint8_t*& slot = SlotOf(alternate);
    DebugFree(slot);
    slot = DebugAllocArray<uint8_t>(png.picture.rgb.size(), source, __LINE__);
    if (slot == nullptr)
        ReportFatal(
            ("Can't load " + std::string(path) + ": there is not enough memory for it").c_str());
    std::memcpy(slot, png.picture.rgb.data(), png.picture.rgb.size());
    ImageWidth = png.picture.width;
    ImageHeight = png.picture.height;
    ImageBytesPerPixel = 3;
    return slot;
}

}  // namespace

void SetToolTgaSource(const char* sourceName) {
    source = sourceName != nullptr ? sourceName : kDefaultSource;
}

uint8_t* ReadToolTgaFrom(std::FILE* stream, const char* path, int alternate) {
    if (HasPngName(path)) return ReadToolPng(stream, path, alternate);
    TgaHeader header;
    if (!ReadTgaHeader(stream, TgaTemplates::TrueColourOrGreyscale, header)) return nullptr;
    ImageWidth = header.width;
    ImageHeight = header.height;
    if (header.width == 0 || header.height == 0 ||
        (header.depth != 8 && header.depth != 24 && header.depth != 32)) {
        ReportFatal(UnusableImageText(stream, path).c_str());
    }
    ImageBytesPerPixel = header.depth / 8;

    uint8_t*& slot = SlotOf(alternate);
    DebugFree(slot);
    slot = ReadTgaPixels(stream, header, source, __LINE__);
    return slot;
}

uint8_t* ReadToolTga(const char* path, int alternate) {
    const FileHandle file(std::fopen(path, "rb"));
    if (!file) return nullptr;
    return ReadToolTgaFrom(file.get(), path, alternate);
}

FrameImage LoadToolSlot(std::FILE* stream, const char* path, int alternate) {
    uint8_t* pixels = ReadToolTgaFrom(stream, path, alternate);
    if (pixels == nullptr) return FrameImage{};
    return FrameImage{pixels, ImageWidth, ImageHeight};
}

FrameImage LoadToolSlot(const char* path, int alternate) {
    uint8_t* pixels = ReadToolTga(path, alternate);
    if (pixels == nullptr) return FrameImage{};
    return FrameImage{pixels, ImageWidth, ImageHeight};
}

uint8_t* ToolTgaSlot(int alternate) {
    return SlotOf(alternate);
}

void ResetToolTga() {
    for (uint8_t*& slot : slots) {
        DebugFree(slot);
        slot = nullptr;
    }
    ImageWidth = ImageHeight = ImageBytesPerPixel = 0;
    source = kDefaultSource;
}
