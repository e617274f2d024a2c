// The tools' TGA reader on arbitrary bytes, by path and from an open stream,
// and the diagnosis of a file it gives no image for: a fatal report ends one
// run (caught here), never the fuzzer; the slot holds exactly the returned
// image; nothing leaks.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <Vantrel/ByteIO.h>
#include <Vantrel/DebugAlloc.h>

#include "images/ImageDiagnosis.h"
#include "images/ToolTga.h"
#include "support/TestFatal.h"
#include "FuzzFile.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const int blocks = CountBlocks();
    const FuzzFile file(data, size);
    const std::string& path = file.Path();
    for (int alternate = 0; alternate < 2; ++alternate) {
        try {
            uint8_t* image = nullptr;
            if (alternate == 0) {
                image = ReadToolTga(path.c_str(), alternate);
            } else {
                const FileHandle stream(std::fopen(path.c_str(), "rb"));
                Require(stream != nullptr);
                image = ReadToolTgaFrom(stream.get(), path.c_str(), alternate);
                if (image == nullptr) Require(!CantLoadImageText(stream.get(), path).empty());
            }
            Require(image == ToolTgaSlot(alternate));
            if (image != nullptr) {
                Require(ImageWidth > 0 && ImageHeight > 0);
                Require(ImageBytesPerPixel == 1 || ImageBytesPerPixel == 3 ||
                        ImageBytesPerPixel == 4);
                size_t bytes = static_cast<size_t>(ImageWidth) * ImageHeight * 3;
                Require(BlockSize(image) == bytes);
                unsigned sum = 0;
                for (size_t i = 0; i < bytes; ++i) sum += image[i];
                Require(sum != 0xFFFFFFFFu);
            }
        } catch (const FatalError&) {
        }
    }
    ResetToolTga();
    Require(CountBlocks() == blocks);
    return 0;
}
