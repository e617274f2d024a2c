// The fuzz input as an open binary stream, as the loaders read files. A
// scratch file rather than a memory stream, so the targets build the same
// on every platform.
#ifndef FUZZ_FUZZ_STREAM_H
#define FUZZ_FUZZ_STREAM_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "support/ScratchStream.h"

using FuzzStream = Stream;

inline FuzzStream StreamOfInput(const uint8_t* data, size_t size) {
    FuzzStream stream = ScratchStream();  // never null: it aborts instead
    if (size != 0 && std::fwrite(data, 1, size, stream.get()) != size) return FuzzStream();
    std::rewind(stream.get());
    return stream;
}

// The pitches the targets bind at: the tools' screen, a tiny and a huge one,
// and one whose products overflow 32 bits for tall sprites.
constexpr int32_t kFuzzPitches[] = {640, 1, 65536, 0x40000000};

#endif
