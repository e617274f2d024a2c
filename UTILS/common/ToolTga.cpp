#include "ToolTga.h"

#include <cstdio>
#include <memory>

#include <Vantrel/ByteIO.h>
#include <Vantrel/DebugAlloc.h>
#include <Vantrel/Fatal.h>
#include <Vantrel/Tga.h>

int32_t ImageWidth = 0;
int32_t ImageHeight = 0;
int32_t ImageBytesPerPixel = 0;

namespace {

constexpr const char* kDefaultSource = "UTILS\\common\\ToolTga";

uint8_t* slots[2] = {nullptr, nullptr};
UnacceptedTga reaction = UnacceptedTga::ReturnNull;
const char* source = kDefaultSource;

uint8_t*& SlotOf(int alternate) {
    return slots[alternate != 0 ? 1 : 0];
}

uint8_t* RefuseUnaccepted(const char* path) {
    if (reaction == UnacceptedTga::ReturnNull) return nullptr;
    // Room for the whole of any path a path buffer can hold.
    char text[320];
    std::snprintf(text, sizeof text, "Can't load %s", path);
    ReportFatal(text);
}

}  // namespace

void SetUnacceptedTgaReaction(UnacceptedTga value) {
    reaction = value;
}
UnacceptedTga UnacceptedTgaReaction() {
    return reaction;
}

void SetToolTgaSource(const char* sourceName) {
    source = sourceName != nullptr ? sourceName : kDefaultSource;
}

uint8_t* ReadToolTga(const char* path, int alternate) {
    FileHandle file(std::fopen(path, "rb"));
    if (!file) return RefuseUnaccepted(path);
    TgaHeader header;
    if (!ReadTgaHeader(file.get(), TgaTemplates::TrueColourOrGreyscale, header)) {
        file.reset();
        return RefuseUnaccepted(path);
    }
    ImageWidth = header.width;
    ImageHeight = header.height;
    if (header.width == 0 || header.height == 0 ||
        (header.depth != 8 && header.depth != 24 && header.depth != 32)) {
        file.reset();
        ReportFatal("Must be an uncompressed 8, 24 or 32-bit RGB color file");
    }
    ImageBytesPerPixel = header.depth / 8;

    uint8_t*& slot = SlotOf(alternate);
    DebugFree(slot);
    slot = ReadTgaPixels(file.get(), header, source, __LINE__);
    return slot;
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
    reaction = UnacceptedTga::ReturnNull;
    source = kDefaultSource;
}
